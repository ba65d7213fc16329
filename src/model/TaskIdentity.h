#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessolan {

inline constexpr int kMaxCommentLines = 1001;

// The task's name (report, proposed file names) and its comment lines.
struct TaskIdentity {
  std::string TaskName;
  std::int32_t CommentCount = 0;
  std::vector<std::string> CommentLines;  // the first CommentCount lines are valid
};

}  // namespace tessolan
