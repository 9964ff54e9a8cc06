#pragma once
// Decides whether a freshly loaded bank may replace the current one.

namespace mppi {

class BankManager;

class BankValidatorInterface {
public:
  virtual ~BankValidatorInterface() = default;
  virtual bool check(const BankManager& bank) const = 0;
};

}  // namespace mppi
