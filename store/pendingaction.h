#pragma once

#include <QString>

// One row of the queue of changes the server has not confirmed yet.
struct PendingAction
{
    enum Action { Insert = 0, Update = 1, Delete = 2 };

    unsigned id = 0;
    QString table_name;
    int action = Insert;
    unsigned local_id = 0;
};
