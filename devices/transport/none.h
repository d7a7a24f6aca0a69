#pragma once

#include "devices/transport/outputdevice.h"

// The "no device" port: never open, drops every frame at once. It still runs
// on a worker thread of its own like every transport, and ends that thread
// when it is closed.
class None : public OutputDevice
{
    Q_OBJECT

public:
    explicit None(const QString &name);

    QString displayName() const override { return name(); }
    void open() override;
    bool isOpen() const override { return false; }
    void close() override {}
    void write(const QByteArray &data) override { Q_UNUSED(data) }

public slots:
    void process() override;
    void onWriteData(QByteArray data, int msleep) override;
    void onSetProperties(QVariantMap map) override { Q_UNUSED(map) }
};
