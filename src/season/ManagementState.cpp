#include "season/ManagementState.h"

#include <numeric>

namespace karven {

Money Account::In() const { return std::accumulate(income.begin(), income.end(), Money(0)); }
Money Account::Out() const { return std::accumulate(spending.begin(), spending.end(), Money(0)); }

void Account::Add(const Account& other) {
    for (int i = 0; i < income::Kinds; ++i) income[size_t(i)] += other.income[size_t(i)];
    for (int i = 0; i < spending::Kinds; ++i) spending[size_t(i)] += other.spending[size_t(i)];
}

} // namespace karven
