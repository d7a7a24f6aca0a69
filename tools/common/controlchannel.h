#pragma once

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QString>
#include <QTextStream>

#include <functional>
#include <unistd.h>

// The control channel of a stand-in program: one command per line on
// standard input, each answered with the line the handler returns (nothing
// for an empty answer) on standard output. At the end of the input the
// program keeps running until a signal ends it.
namespace ControlChannel {

inline void install(QCoreApplication &app, const std::function<QString(const QString &)> &handler)
{
    auto *input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QObject::connect(input, &QSocketNotifier::activated, &app, [input, handler] {
        QByteArray line;
        char c = 0;
        bool ended = true;
        while (::read(STDIN_FILENO, &c, 1) == 1) {
            ended = false;
            if (c == '\n')
                break;
            line += c;
        }
        if (ended) {
            input->setEnabled(false);
            return;
        }
        const QString answer = handler(QString::fromUtf8(line));
        if (!answer.isEmpty())
            QTextStream(stdout) << answer << Qt::endl;
    });
}

} // namespace ControlChannel
