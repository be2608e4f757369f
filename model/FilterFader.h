// The fader a page attaches to a filter, seen from the model: the filter moves it when a drag on
// the graph changes the band's gain or a crossover's frequency. The skinned fader implements it.
#pragma once

class FilterFader {
public:
    virtual void SetPos(int value) = 0;
    virtual void SetPosFromFreq(int hz) = 0;

protected:
    ~FilterFader() = default;
};
