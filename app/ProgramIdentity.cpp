#include "app/ProgramIdentity.h"

#include <QApplication>
#include <QIcon>

#include "twinscope/Version.h"

// The resources live in a static library: their registration must be asked for by name.
static void InitProgramResources() {
    Q_INIT_RESOURCE(TwinscopeMain);
}

namespace twinscope {

void SetProgramIdentity() {
    QCoreApplication::setApplicationName("twinscope");
    QCoreApplication::setApplicationVersion(TWINSCOPE_VERSION_STRING);
}

void SetProgramIcon() {
    InitProgramResources();
    QApplication::setWindowIcon(QIcon(":/icons/twinscope.png"));
}

}  // namespace twinscope
