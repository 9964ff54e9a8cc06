#pragma once
// What is written to standard error while the object lives: the file
// descriptor itself is redirected, so C stdio, iostreams and the libraries
// we call are all caught.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace test_support {

class StderrCapture {
public:
  StderrCapture() : file_(std::tmpfile()) {
    std::fflush(stderr);
    if (file_ == nullptr) return;
    saved_ = dup(2);
    if (saved_ >= 0) dup2(fileno(file_), 2);
  }
  ~StderrCapture() {
    restore();
    if (file_ != nullptr) std::fclose(file_);
  }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Puts standard error back and returns what was written to it.
  std::string finish() {
    restore();
    std::string text;
    if (file_ == nullptr) return "(standard error could not be captured)";
    std::rewind(file_);
    char buffer[512];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file_)) > 0) text.append(buffer, n);
    return text;
  }

private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }

  std::FILE* file_;
  int saved_ = -1;
};

// Sets an environment variable (nullptr: removes it) and puts the old
// value back on destruction.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    set(value);
  }
  ~ScopedEnv() { set(had_ ? old_.c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  void set(const char* value) { value != nullptr ? setenv(name_.c_str(), value, 1) : unsetenv(name_.c_str()); }

  std::string name_;
  bool had_ = false;
  std::string old_;
};

}  // namespace test_support
