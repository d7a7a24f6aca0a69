// Precompiled for the widget library and the widget tests.
#pragma once
#include "pch_core.h"
#include <QtWidgets/QtWidgets>
