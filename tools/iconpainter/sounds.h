#pragma once

#include "canvas.h"

#include <QByteArray>
#include <QList>

// 16-bit PCM mono WAV container around the samples.
QByteArray waveFile(const QList<qint16> &samples, int sampleRate);

// The key click and the soft drop, written below sounds/.
void synthesizeSounds(OutputFolder &out);
