#pragma once
#include <cmath>
#include <functional>
#include <string>

namespace NK {

// Called with the key of the extended bitmap whose channel finished a run
// (onRun) or stopped (onEnd).
struct ChannelCallbacks {
    std::function<void(std::string)> onRun;
    std::function<void(std::string)> onEnd;
};

// What one tick of a channel did, so the owner can call the callbacks after
// every channel has moved: a callback may destroy the very bitmap it is about.
enum class ChannelEvent { None, RunCompleted, Ended };

// A tint colour without alpha; alpha has a channel of its own.
struct Rgb {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;

    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

namespace channel_detail {

inline bool within(float a, float b, float speed) {
    return std::fabs(b - a) < speed;
}
inline bool within(const Rgb& a, const Rgb& b, float speed) {
    return within(a.r, b.r, speed) && within(a.g, b.g, speed) && within(a.b, b.b, speed);
}

inline float stepToward(float current, float goal, float speed) {
    return goal < current ? current - speed : current + speed;
}
// Colour moves along the straight line in red-green-blue space, so a fade
// between two colours never passes through a third one.
inline Rgb stepToward(const Rgb& current, const Rgb& goal, float speed) {
    float dr = goal.r - current.r, dg = goal.g - current.g, db = goal.b - current.b;
    float length = std::sqrt(dr * dr + dg * dg + db * db);
    if (length == 0.0f) return current;
    float k = speed / length;
    return {current.r + dr * k, current.g + dg * k, current.b + db * k};
}

}  // namespace channel_detail

// A value (alpha, or a tint colour) moving toward a target by a fixed amount
// per tick, once, several times or endlessly, optionally there and back.
template <typename Value>
struct ValueChannel {
    Value current{};
    Value start{};
    Value target{};
    float speed = 0.0f;
    int delay = 0;  // ticks still to wait before moving
    bool pingPong = false;
    bool returning = false;
    int repeats = 0;  // 0: stop after this run; > 0: runs still to add; < 0: endless
    bool active = false;
    bool locked = false;   // a running animation may not be replaced
    bool restore = false;  // at the end current goes back to start
    ChannelCallbacks callbacks;

    ValueChannel() = default;
    explicit ValueChannel(Value initial) : current(initial), start(initial), target(initial) {}

    // Starts a run toward `to`; ignored while locked. Alpha passes restore
    // false, colour what its caller asked for.
    void animate(Value to, float perTick, bool fromCurrent, bool backAndForth, int runs,
                 bool restoreAtEnd) {
        if (locked) return;
        active = true;
        target = to;
        speed = perTick;
        if (fromCurrent) {
            start = current;
        } else {
            current = start;
        }
        delay = 0;
        returning = false;
        pingPong = backAndForth;
        repeats = runs;
        locked = false;
        restore = restoreAtEnd;
    }

    // Sets the value outright and drops any animation of it.
    void set(Value value) {
        current = value;
        start = value;
        active = false;
        pingPong = false;
        returning = false;
        locked = false;
    }

    // One tick. Callbacks are not called here; the returned event says which.
    ChannelEvent advance() {
        if (!active) return ChannelEvent::None;
        if (delay > 0) {
            --delay;
            return ChannelEvent::None;
        }
        const Value& goal = returning ? start : target;
        if (channel_detail::within(current, goal, speed)) {
            current = goal;
        } else {
            current = channel_detail::stepToward(current, goal, speed);
        }
        if (current == target) {
            if (pingPong && !returning) {
                returning = true;  // turn at the target; the value stays there this tick
                return ChannelEvent::None;
            }
            return completeRun();
        }
        if (returning && current == start) return completeRun();
        return ChannelEvent::None;
    }

private:
    ChannelEvent completeRun() {
        if (repeats == 0) {
            active = false;
            pingPong = false;
            returning = false;
            if (restore) {
                current = start;
            } else {
                start = current;
            }
            locked = false;
            return ChannelEvent::Ended;
        }
        if (repeats > 0) --repeats;
        if (pingPong) {
            returning = !returning;
        } else {
            current = start;
        }
        return ChannelEvent::RunCompleted;
    }
};

}  // namespace NK
