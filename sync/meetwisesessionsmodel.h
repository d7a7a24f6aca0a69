#pragma once

#include <QVariantList>

#include "sync/checkablelistmodel.h"

// The sessions of a competition as the server lists them (maps with id and
// name), to be ticked; the ticked ones are given as their ids.
class MeetwiseSessionsModel : public CheckableListModel
{
    Q_OBJECT

public:
    using CheckableListModel::CheckableListModel;

    void setSessions(const QVariantList &sessions);
};
