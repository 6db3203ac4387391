// Running a check as a user whom file permissions bind, which the superuser is not.
#pragma once

#include <functional>
#include <string>

// Runs the check in a new directory of its own, removed afterwards, as the test's user,
// or, for the superuser, who may write into any folder, as the user nobody in a child
// process. The test is skipped when the superuser cannot work as nobody (no such user,
// a temporary folder nobody may not write), or when the check skips as nobody.
void AsBoundUser(const std::function<void(const std::string& dir)>& check);
