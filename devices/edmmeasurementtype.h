#pragma once

#include <QMetaType>

// What a requested EDM reading is for.
enum EDMMeasurementType : int {
    NoMeasurement = 0,
    SingleMeasurement = 1,
    Reference1Measurement = 2,
    Reference2Measurement = 3,
    TestMeasurement = 4,
    ResultMeasurement = 5,
};
Q_DECLARE_METATYPE(EDMMeasurementType)
