#pragma once

#include <QMainWindow>

class LocalDatabase;

// The program's only top-level window.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    LocalDatabase *store() const { return m_store; }

private:
    void warnWhenStoreUnusable();

    LocalDatabase *m_store;
};
