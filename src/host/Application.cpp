#include "host/Application.h"

#include <algorithm>
#include <string>

#include "host/HostError.h"
#include "host/Workbook.h"
#include "host/WorkbookFile.h"

namespace host {

Application::Application() = default;

Application::~Application() = default;

Workbook& Application::Open(const std::string& path) {
  // Opening a file that is open already hands back that workbook.
  for (auto& book : books_) {
    if (book->Path() == path) {
      active_ = book.get();
      return *book;
    }
  }
  std::unique_ptr<Workbook> book = OpenWorkbookFile(*this, path);
  if (!book)
    throw OpenError(path, FailureCode::UnreadableAsWorkbook,
                    "the file could not be read as a workbook");
  books_.push_back(std::move(book));
  active_ = books_.back().get();
  return *active_;
}

Workbook& Application::AddWorkbook(const std::string& path) {
  auto book = std::make_unique<Workbook>(this, path, NewXlsxBackend(), StyleTable::Default());
  auto sheet = std::make_unique<Worksheet>(book.get(), "Sheet1");
  sheet->SetLoaded();
  sheet->MarkModified();
  book->SetActiveSheet(book->AppendSheet(std::move(sheet)));
  books_.push_back(std::move(book));
  active_ = books_.back().get();
  return *active_;
}

void Application::Quit() {
  clipboard_.reset();
  active_ = nullptr;
  books_.clear();
}

Worksheet& Application::ActiveSheet() {
  if (!active_) throw HostError("ActiveSheet", "", "no workbook is open");
  return active_->ActiveSheet();
}

Range Application::ActiveCell() { return ActiveSheet().ActiveCell(); }

Range Application::Selection() { return ActiveSheet().Selection(); }

void Application::SetCutCopyMode(bool mode) {
  // Only ending a copy means anything; a copy starts with Range::Copy.
  if (!mode) clipboard_.reset();
}

void Application::Forget(Workbook* book) {
  if (clipboard_ && clipboard_->sourceBook == book) clipboard_.reset();
  auto it = std::find_if(books_.begin(), books_.end(),
                         [&](const std::unique_ptr<Workbook>& b) { return b.get() == book; });
  if (it == books_.end()) return;
  std::unique_ptr<Workbook> closing = std::move(*it);
  books_.erase(it);
  if (active_ == book) active_ = books_.empty() ? nullptr : books_.back().get();
}

}  // namespace host
