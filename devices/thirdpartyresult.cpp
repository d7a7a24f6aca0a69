#include "devices/thirdpartyresult.h"

ThirdPartyResult::ThirdPartyResult(QObject *parent)
    : QObject(parent)
{}
