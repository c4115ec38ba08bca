#pragma once
// What `tree`, `distances` and `pcoa` share: the distance option, and writing
// the file they were asked for with what the user must be told about it.
#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli/Command.h"
#include "app/cli/RunWorkbook.h"
#include "app/core/Relate.h"

namespace cli {

struct RelateOrder {
  RunRequest source;
  std::string output;  // empty or "-": standard output
  app::RelateRequest relate;
  std::vector<app::RelateFile> accepted;  // the first for standard output
};

// Writes the file `order` asks for; the exit status.
int WriteRelation(RelateOrder& order, std::ostream& out, std::ostream& err);

// A command that writes one of `accepted` from a source: it takes the
// workbook, the sheet and the distance; a command adds its own options, then
// the output and quiet through AddOutputLast.
class RelateCommand : public Command {
 public:
  RelateCommand(CLI::App& parent, const std::string& name, msg::Cli summary, msg::Cli details,
                std::vector<app::RelateFile> accepted);

 protected:
  void AddOutputLast(msg::Cli description, bool required);
  int Run(std::ostream& out, std::ostream& err) override;
  RelateOrder order_;
};

}  // namespace cli
