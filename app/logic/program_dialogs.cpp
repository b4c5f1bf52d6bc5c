#include "app/logic/program_dialogs.h"

#include "app/logic/app_texts.h"

namespace app {

void ShowErrorBox(report::DialogService& dialogs, const std::exception& error) {
    dialogs.ShowMessage(error.what(), AppText(texts::kApplicationTitle),
                        report::mb::kOk | report::mb::kIconError);
}

}  // namespace app
