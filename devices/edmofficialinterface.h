#pragma once

#include <QString>

#include <functional>
#include <optional>

// What the EDM model asks or tells the official while it measures. The
// program answers with dialogs (EDMDialogs); tests answer directly.
class EDMOfficialInterface
{
public:
    // Why a reading gave no distance that may become a mark.
    enum class Refusal {
        SamePoint,          // it lies on a reference point, or two reference points lie on each other
        ImpossibleDistance, // the distance is zero or less
    };

    virtual ~EDMOfficialInterface() = default;

    // Shows that a reading is awaited until hideWaiting(); cancelled is called
    // when the official stops waiting.
    virtual void showWaiting(const std::function<void()> &cancelled) = 0;
    virtual void hideWaiting() = 0;
    // The distance of a test mark measured with a tape (m), none when the
    // official cancelled. Event type 2 asks for the height of the crossbar.
    virtual std::optional<double> askTapeDistance(unsigned eventType) = 0;
    // The text entered for the crossbar's reference height, offered with
    // proposal; none when cancelled.
    virtual std::optional<QString> askCrossbarHeight(const QString &proposal) = 0;
    virtual void tellMissingReferences() = 0;
    // The reading is refused and must be taken again; distance is the value
    // computed, when there was one.
    virtual void tellMeasureAgain(Refusal reason, double distance) = 0;
};
