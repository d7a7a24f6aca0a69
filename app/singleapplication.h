#pragma once

#include <QApplication>

#include "app/singleinstanceguard.h"

// A QApplication that knows whether it is the one primary instance of the
// program for this user and program file.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(int &argc, char **argv);
    ~SingleApplication() override;

    bool isPrimary() const { return m_guard->isPrimary(); }
    bool isSecondary() const { return !m_guard->isPrimary(); }
    unsigned instanceId() const { return m_guard->instanceNumber(); }

private:
    SingleInstanceGuard *m_guard;
};
