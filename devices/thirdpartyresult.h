#pragma once

#include <QObject>

// The result output for other systems. Owned by the application object; reads its own settings.
class ThirdPartyResult : public QObject
{
    Q_OBJECT

public:
    explicit ThirdPartyResult(QObject *parent = nullptr);
};
