#pragma once
// The maker's web pages the setup menu jumps to: one jump address whose
// query names the product, its version and the page wanted.

#include <functional>
#include <string>
#include <utility>

namespace mppi {

class WebSiteJumpInterface {
public:
  // Pages by action number.
  enum Action { kProductInfo = 2, kUpdates = 3, kPresets = 4, kDocumentation = 5 };

  virtual ~WebSiteJumpInterface() = default;
  // Editor thread: opens the page in the user's browser; false when that failed.
  virtual bool jump(int action) = 0;
};

class WebSiteJump : public WebSiteJumpInterface {
public:
  static constexpr char kJumpAddress[] = "https://zindle-br.example.org/jump";
  static constexpr long kProductId = 54;

  // Opens an address; the browser by default, tests give their own.
  using Opener = std::function<bool(const std::string& url)>;

  // plugin_version 1.31 goes into the query as 131.
  explicit WebSiteJump(double plugin_version, Opener opener = {});

  bool jump(int action) override;

private:
  // The address of `action`; empty for an action without a page.
  std::string make_address(int action) const;
  static int version_number(double plugin_version);

  int version_;
  Opener opener_;
};

}  // namespace mppi
