#include "shell/images.h"

#include <QPixmap>
#include <array>
#include <map>
#include <utility>

#include "document/command_ids.h"

// Resources linked from a static library must be registered explicitly.
static void RegisterImageResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(korvane);
        return true;
    }();
    (void)registered;
}

namespace korvane {

namespace {

constexpr int kImageSize = 20;

// Position of each command's picture in the 20 x 20 image strips.
constexpr std::array<std::pair<int, int>, 8> kStripPositions = {{{kCmdFileNew, 0},
                                                                 {kCmdFileOpen, 1},
                                                                 {kCmdFileSave, 2},
                                                                 {kCmdFilePrint, 3},
                                                                 {kCmdEditCopy, 4},
                                                                 {kCmdZoomOut, 5},
                                                                 {kCmdZoomIn, 6},
                                                                 {kCmdHelpContent, 7}}};

const QPixmap& Strip(const QString& path) {
    RegisterImageResources();
    static std::map<QString, QPixmap> strips;
    auto it = strips.find(path);
    if (it == strips.end()) {
        it = strips.emplace(path, QPixmap(path)).first;
    }
    return it->second;
}

}  // namespace

QIcon CommandIcon(int commandId) {
    if (commandId == kCmdCloseSelectedDevice) {
        RegisterImageResources();
        return QIcon(QStringLiteral(":/images/close_device.png"));
    }
    for (const auto& [id, position] : kStripPositions) {
        if (id == commandId) {
            const QRect cell(position * kImageSize, 0, kImageSize, kImageSize);
            QIcon icon;
            icon.addPixmap(Strip(QStringLiteral(":/images/toolbar.png")).copy(cell), QIcon::Normal);
            icon.addPixmap(Strip(QStringLiteral(":/images/toolbar_disabled.png")).copy(cell),
                           QIcon::Disabled);
            return icon;
        }
    }
    return {};
}

QIcon ProgramIcon() {
    RegisterImageResources();
    return QIcon(QStringLiteral(":/images/korvane.png"));
}

}  // namespace korvane
