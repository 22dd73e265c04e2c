#pragma once
// The whole games a server dumps when each year begins (korvant-peer --dump-years), compared
// field by field.
#include <string>

namespace korvant::test {

// The first field in which the two dumped games differ, leaving out what differs between any two
// runs by design: the session's player ids, and who plays a state (a person, or the computer since
// the person's computer was lost). Empty when they agree; "unreadable" when a dump is missing.
std::string DifferenceOfYears(const std::string& a, const std::string& b);

}  // namespace korvant::test
