#pragma once

#include "effects/ClsDiag.h"
#include "effects/EffectCanvas.h"
#include "support/Fakes.h"

#include <vector>

// A canvas that keeps every drawing call, with the pen width it was made with.
struct DrawCall {
    enum Kind { Line, Box, FilledBox, Circle } kind;
    double x1, y1, x2, y2; // a circle keeps its centre in x1, y1 and its radius in x2
    int penWidth;
};

struct RecordingCanvas : EffectCanvas {
    RecordingCanvas(double w, double h) : w_(w), h_(h) {}
    double w_, h_;
    std::vector<DrawCall> calls;
    int pen = 1;

    double width() const override { return w_; }
    double height() const override { return h_; }
    quint32 backColor() const override { return 0x0000c8; }
    void setDrawWidth(int pixels) override { pen = pixels; }
    int drawWidth() const override { return pen; }
    void line(double x1, double y1, double x2, double y2, quint32) override {
        calls.push_back({DrawCall::Line, x1, y1, x2, y2, pen});
    }
    void box(double x1, double y1, double x2, double y2, quint32) override {
        calls.push_back({DrawCall::Box, x1, y1, x2, y2, pen});
    }
    void filledBox(double x1, double y1, double x2, double y2, quint32) override {
        calls.push_back({DrawCall::FilledBox, x1, y1, x2, y2, pen});
    }
    void circle(double cx, double cy, double r, quint32) override {
        calls.push_back({DrawCall::Circle, cx, cy, r, 0, pen});
    }
};

using fakes::ScriptedRandom;

inline RecordingCanvas drawEffect(qint16& code, double width, double height, RandomSource& random) {
    RecordingCanvas canvas(width, height);
    fakes::FixedClock clock;
    ClsDiag(code, canvas, random, clock);
    return canvas;
}
