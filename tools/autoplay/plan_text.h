// A plan of the automatic player as lines of text and back, for a child process that plays it: on
// Windows the child is another start of the program, which cannot share the plan's memory.
#pragma once
#include <string>

#include "autoplay.h"

namespace autoplay {

// The round plans are written for rounds 1..kPlanTextRounds; a game that runs longer plays its later
// rounds as the last one written.
constexpr int kPlanTextRounds = 200;

std::string plan_to_text(const Plan& plan);
// False when the text is not one plan_to_text wrote (plan is then partly set).
bool plan_from_text(const std::string& text, Plan& plan);

}  // namespace autoplay
