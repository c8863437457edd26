#include "plan_text.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>

namespace autoplay {

namespace {

int flag(bool b) { return b ? 1 : 0; }

}  // namespace

// One "key value" line per field, the value running to the end of the line; a "round" line per round.
std::string plan_to_text(const Plan& plan) {
  std::ostringstream out;
  out.precision(17);
  out << "input " << static_cast<int>(plan.input) << "\n"
      << "typed_name " << plan.typed_name << "\n"
      << "visit_high_ratings " << flag(plan.visit_high_ratings) << "\n"
      << "visit_instructions " << flag(plan.visit_instructions) << "\n"
      << "quit_from_welcome " << flag(plan.quit_from_welcome) << "\n"
      << "quit_before_round " << plan.quit_before_round << "\n"
      << "search_depth " << plan.search_depth << "\n"
      << "seed " << plan.seed << "\n"
      << "settle_ms " << plan.settle_ms << "\n"
      << "close_on " << plan.close_on << "\n";
  for (int n = 1; n <= kPlanTextRounds; ++n) {
    const RoundPlan r = plan.round_plan(n);
    out << "round " << flag(r.human_first) << " " << flag(r.horizontal) << " " << static_cast<int>(r.input)
        << " " << flag(r.aim_win) << " " << flag(r.stick) << "\n";
  }
  return out.str();
}

bool plan_from_text(const std::string& text, Plan& plan) {
  auto rounds = std::make_shared<std::vector<RoundPlan>>();
  std::istringstream in(text);
  int fields = 0;
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space),
                      value = space == std::string::npos ? "" : line.substr(space + 1);
    std::istringstream v(value);
    int i = 0;
    if (key == "round") {
      int first = 0, horizontal = 0, input = 0, aim = 0, stick = 0;
      if (!(v >> first >> horizontal >> input >> aim >> stick) || input < 0 || input > 2) return false;
      rounds->push_back(
          RoundPlan{first != 0, horizontal != 0, static_cast<Input>(input), aim != 0, stick != 0});
      continue;
    }
    ++fields;
    if (key == "typed_name") plan.typed_name = value;
    else if (key == "close_on") plan.close_on = value;
    else if (key == "seed") v >> plan.seed;
    else if (key == "settle_ms") v >> plan.settle_ms;
    else if (key == "quit_before_round") v >> plan.quit_before_round;
    else if (key == "search_depth") v >> plan.search_depth;
    else if (key == "input" && v >> i && i >= 0 && i <= 2) plan.input = static_cast<Input>(i);
    else if (key == "visit_high_ratings" && v >> i) plan.visit_high_ratings = i != 0;
    else if (key == "visit_instructions" && v >> i) plan.visit_instructions = i != 0;
    else if (key == "quit_from_welcome" && v >> i) plan.quit_from_welcome = i != 0;
    else return false;
    if (v.fail() && key != "typed_name" && key != "close_on") return false;
  }
  if (fields != 10 || rounds->size() != static_cast<size_t>(kPlanTextRounds)) return false;
  plan.round_plan = [rounds](int n) {
    return (*rounds)[static_cast<size_t>(std::clamp(n, 1, kPlanTextRounds) - 1)];
  };
  return true;
}

}  // namespace autoplay
