#include "framework/editor/web_site_jump.h"

#include <cmath>
#include <cstdio>

#include "sys/open_url.h"

namespace mppi {

namespace {

// Null for an action without a page; empty for the product page.
const char* action_query(int action) {
  switch (action) {
    case WebSiteJumpInterface::kProductInfo: return "";
    case WebSiteJumpInterface::kUpdates: return "action=update";
    case WebSiteJumpInterface::kPresets: return "action=preset";
    case WebSiteJumpInterface::kDocumentation: return "action=documentation";
    default: return nullptr;
  }
}

}  // namespace

WebSiteJump::WebSiteJump(double plugin_version, Opener opener)
    : version_(version_number(plugin_version)), opener_(std::move(opener)) {
  if (!opener_) opener_ = [](const std::string& url) { return sys::open_url(url); };
}

int WebSiteJump::version_number(double plugin_version) {
  if (!std::isfinite(plugin_version) || plugin_version < 0.0 || plugin_version > 1e6) return 0;
  return static_cast<int>(std::lround(plugin_version * 100.0));
}

std::string WebSiteJump::make_address(int action) const {
  const char* query = action_query(action);
  if (query == nullptr) return {};
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "productid=%ld&version=%d", kProductId, version_);
  std::string address = std::string(kJumpAddress) + "?type=product&" + numbers;
  if (*query != '\0') address += std::string("&") + query;
  return address;
}

bool WebSiteJump::jump(int action) {
  const std::string address = make_address(action);
  return !address.empty() && opener_(address);
}

}  // namespace mppi
