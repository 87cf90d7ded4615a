#include <memory>

#include "app/TwinscopeMain.h"
#include "twinscope/chart/canvas/qt/QtCanvases.h"
#include "twinscope/platform/QtFormatSettings.h"
#include "twinscope/platform/QtMessageBox.h"
#include "twinscope/platform/QtUserSettings.h"
#include "twinscope/platform/TwinscopeApplication.h"
#include "twinscope/runtime/FormatSettings.h"
#include "twinscope/runtime/UserSettings.h"

int main(int argc, char** argv) {
    using namespace twinscope;
    TTwinscopeApplication application(argc, argv);
    RegisterQtCanvases();
    InstallUserSettings(std::make_unique<TQtUserSettings>());
    SetCurrentFormatSettings(FormatSettingsFromLocale(QLocale::system()));
    InstallQtMessageBox();

    TfmTwinscope window;
    window.show();
    return application.exec();
}
