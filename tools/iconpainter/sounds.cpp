#include "sounds.h"

#include <QtEndian>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int sampleRate = 44100;

void appendLe16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void appendLe32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

// Scales to the requested peak and converts; the peak stays below full scale
// so the sounds never clip on a mixer that adds them to something else.
QList<qint16> toPcm(const QList<double> &signal, double peak)
{
    double loudest = 0.0;
    for (const double s : signal)
        loudest = std::max(loudest, std::abs(s));
    const double gain = loudest > 0.0 ? peak / loudest : 0.0;
    QList<qint16> pcm;
    pcm.reserve(signal.size());
    for (const double s : signal)
        pcm.append(static_cast<qint16>(std::lround(std::clamp(s * gain, -1.0, 1.0) * 32767.0)));
    return pcm;
}

// Cosine fade over the last `fadeSamples`, so the sound ends on silence
// instead of a step that would be heard as a second click.
void fadeOut(QList<double> &signal, int fadeSamples)
{
    const int n = signal.size();
    fadeSamples = std::min(fadeSamples, n);
    for (int i = 0; i < fadeSamples; ++i) {
        const double x = double(i + 1) / fadeSamples;
        signal[n - fadeSamples + i] *= 0.5 * (1.0 + std::cos(M_PI * x));
    }
}

// A 30 ms burst of filtered noise with a fast decay and a faint 3.2 kHz body:
// short and dry like a mechanical key. The noise generator has a fixed seed
// so every run writes the same file.
QList<double> click()
{
    const int n = sampleRate * 30 / 1000;
    QList<double> signal(n);
    quint32 state = 0x2545F491u;
    double filtered = 0.0;
    for (int i = 0; i < n; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double noise = double(state) / double(0xFFFFFFFFu) * 2.0 - 1.0;
        filtered += 0.45 * (noise - filtered);
        const double t = double(i) / sampleRate;
        const double attack = std::min(1.0, t / 0.0004);
        const double envelope = attack * std::exp(-t / 0.0045);
        signal[i] = envelope * (0.8 * filtered + 0.35 * std::sin(2.0 * M_PI * 3200.0 * t));
    }
    fadeOut(signal, sampleRate * 3 / 1000);
    return signal;
}

// A 120 ms sine falling from 1100 Hz to 280 Hz: the soft pop of something
// set down in place.
QList<double> drop()
{
    const int n = sampleRate * 120 / 1000;
    QList<double> signal(n);
    const double startHz = 1100.0;
    const double endHz = 280.0;
    const double duration = double(n) / sampleRate;
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / sampleRate;
        const double frequency = startHz * std::pow(endHz / startHz, t / duration);
        phase += 2.0 * M_PI * frequency / sampleRate;
        const double attack = t < 0.003 ? 0.5 * (1.0 - std::cos(M_PI * t / 0.003)) : 1.0;
        const double envelope = attack * std::exp(-t / 0.035);
        signal[i] = envelope * (std::sin(phase) + 0.15 * std::sin(2.0 * phase));
    }
    fadeOut(signal, sampleRate * 15 / 1000);
    return signal;
}

} // namespace

QByteArray waveFile(const QList<qint16> &samples, int rate)
{
    const quint16 channels = 1;
    const quint16 bitsPerSample = 16;
    const quint16 blockAlign = channels * bitsPerSample / 8;
    const quint32 dataSize = quint32(samples.size()) * blockAlign;

    QByteArray bytes;
    bytes.reserve(44 + int(dataSize));
    bytes.append("RIFF", 4);
    appendLe32(bytes, 36 + dataSize);
    bytes.append("WAVE", 4);
    bytes.append("fmt ", 4);
    appendLe32(bytes, 16);
    appendLe16(bytes, 1); // integer PCM
    appendLe16(bytes, channels);
    appendLe32(bytes, quint32(rate));
    appendLe32(bytes, quint32(rate) * blockAlign);
    appendLe16(bytes, blockAlign);
    appendLe16(bytes, bitsPerSample);
    bytes.append("data", 4);
    appendLe32(bytes, dataSize);
    for (const qint16 sample : samples)
        appendLe16(bytes, quint16(sample));
    return bytes;
}

void synthesizeSounds(OutputFolder &out)
{
    out.saveBytes(waveFile(toPcm(click(), 0.6), sampleRate), QStringLiteral("sounds/click.wav"));
    out.saveBytes(waveFile(toPcm(drop(), 0.55), sampleRate), QStringLiteral("sounds/drop.wav"));
}
