// Helpers shared by the program's tests: an in-memory grid, a pacer that never waits, a fixed
// clock, a temporary folder and whole-file helpers.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/logic/clock.h"
#include "app/logic/draw_grid.h"
#include "app/logic/pacer.h"

namespace app_test {

class MemoryGrid final : public app::DrawGrid {
  public:
    explicit MemoryGrid(int rows = 50) : rows_(static_cast<size_t>(rows)) {}

    int RowCount() const override { return static_cast<int>(rows_.size()); }
    void SetRowCount(int rows) override { rows_.resize(static_cast<size_t>(rows < 1 ? 1 : rows)); }
    std::string Cell(int column, int row) const override {
        if (!Inside(column, row)) return {};
        return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
    }
    void SetCell(int column, int row, const std::string& text) override {
        if (!Inside(column, row)) return;
        rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
        lastWritten = {column, row};
        writes.push_back({column, row});
    }
    void ScrollDownOneLine() override { scrolledAfterRow.push_back(lastWritten.second); }

    // (column, row) of every write, in order, and the row last written when each scroll came.
    std::vector<std::pair<int, int>> writes;
    std::pair<int, int> lastWritten{-1, -1};
    std::vector<int> scrolledAfterRow;

  private:
    bool Inside(int column, int row) const {
        return column >= 0 && column < 3 && row >= 0 && row < RowCount();
    }
    std::vector<std::array<std::string, 3>> rows_;
};

class InstantPacer final : public app::Pacer {
  public:
    void ProcessEvents() override {
        ++processed;
        if (onProcessEvents) onProcessEvents();
    }
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }

    int processed = 0;
    std::vector<int> pauses;
    std::function<void()> onProcessEvents;
};

class FixedClock final : public app::Clock {
  public:
    report::DateTime Today() const override { return today; }
    int UtcMillisecondsOfDay() const override { return millisecondsOfDay; }

    report::DateTime today = 44635;  // 15 March 2022
    int millisecondsOfDay = 0;
};

// A folder created for one test and removed with everything in it afterwards.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder with its trailing "/".
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// Names of the folder's entries, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

// True when the tests run as root (who writes into read-only folders anyway).
bool RunningAsRoot();

}  // namespace app_test

namespace app_test {

// While it lives, files cannot grow beyond `bytes` (writes past it fail with EFBIG), which
// makes a write fail even for root.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    unsigned long previousSoft_;
    void (*previousHandler_)(int);
};

}  // namespace app_test
