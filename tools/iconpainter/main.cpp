#include "buttons.h"
#include "canvas.h"
#include "smallicons.h"
#include "sounds.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

// Regenerates the program's images and sounds:
//
//   stadionix-iconpainter <resources folder>
//
// Existing files are overwritten; icons/custom/location.svg is written by
// hand and left alone.
int main(int argc, char *argv[])
{
    // Nothing is shown; the offscreen platform lets the tool run on a build
    // machine without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: stadionix-iconpainter <output resources folder>\n";
        return 2;
    }
    const QString root = arguments.at(1);
    if (!QDir().mkpath(root)) {
        err << "cannot create " << root << "\n";
        return 1;
    }

    OutputFolder out(root);
    paintFieldTabletImages(out);
    paintSmallIcons(out);
    paintFlags(out);
    synthesizeSounds(out);

    for (const QString &error : out.errors())
        err << error << "\n";
    QTextStream(stdout) << "wrote " << out.writtenCount() << " files below " << QDir(root).absolutePath() << "\n";
    return out.errors().isEmpty() ? 0 : 1;
}
