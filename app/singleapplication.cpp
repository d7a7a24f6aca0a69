#include "app/singleapplication.h"

SingleApplication::SingleApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_guard(new SingleInstanceGuard(SingleInstanceGuard::claimKey(), this))
{}

SingleApplication::~SingleApplication()
{
    m_guard->release();
}
