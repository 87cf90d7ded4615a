#include <memory>

#include "app/TwinscopeMain.h"
#include "chart/canvas/qt/QtCanvases.h"
#include "platform/QtFormatSettings.h"
#include "platform/QtMessageBox.h"
#include "platform/QtUserSettings.h"
#include "platform/TwinscopeApplication.h"
#include "runtime/FormatSettings.h"
#include "runtime/UserSettings.h"

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
