#pragma once

#include <QSortFilterProxyModel>

// The proxy the attempt strip is shown through; it keeps the strip's order.
class ResultsSortModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ResultsSortModel(QObject *parent = nullptr)
        : QSortFilterProxyModel(parent)
    {}
};
