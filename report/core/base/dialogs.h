// Message boxes and input dialogs, reached through an interface so that logic and tests can
// answer them. The program installs a Qt implementation, `etat` one that prints to stderr,
// tests a fake.
#pragma once

#include <string>

namespace report {

// Button and icon codes of a message box (the mb_ constants of report expressions).
namespace mb {
inline constexpr int kOk = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kIconError = 16;
inline constexpr int kIconQuestion = 32;
inline constexpr int kIconWarning = 48;
inline constexpr int kIconInformation = 64;
}  // namespace mb

// Results: the button pressed.
namespace mr {
inline constexpr int kNone = 0;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace mr

class DialogService {
  public:
    virtual ~DialogService() = default;

    // Shows a modal message box. Texts are Windows-1252; flags combine one mb:: button code
    // and one icon code. Returns the mr:: code of the button pressed.
    virtual int ShowMessage(const std::string& text, const std::string& caption, int flags) = 0;

    // Asks for one line of text, `value` holding the default. Returns false when cancelled
    // (value is then left as it was).
    virtual bool AskText(const std::string& caption, const std::string& prompt,
                         std::string& value) = 0;
};

// Answers every box with OK (Yes for yes/no boxes) and every input with its default, showing
// nothing: for batch runs and fuzzing.
class SilentDialogs final : public DialogService {
  public:
    int ShowMessage(const std::string& text, const std::string& caption, int flags) override;
    bool AskText(const std::string& caption, const std::string& prompt,
                 std::string& value) override;
};

// A box text for a terminal: UTF-8, with each line break of the engine's texts (CR, LF or
// CR LF) as one LF, so that lines do not print over each other.
std::string TerminalText(const std::string& cp1252);

// The process-wide service. Until one is installed, messages go to stderr (TerminalText) and
// every box answers OK (Yes for yes/no boxes); input answers the default.
DialogService& Dialogs();

// Installs a service (not owned; it must outlive its use); nullptr restores the default.
void InstallDialogs(DialogService* service);

}  // namespace report
