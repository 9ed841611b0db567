#include "show/window/Form1.h"

#include "startup/AppRecords.h"

struct Form1::Impl {
    AppRecords& records;
    ShowServices& services;
    QWidget* panel;
    bool open = false;
};

Form1::Form1(AppRecords& records, ShowServices& services, QWidget* panel)
    : QWidget(nullptr), d(new Impl{records, services, panel}) {}

Form1::~Form1() = default;

void Form1::showModal() {}

void Form1::Fine() {
    d->open = false;
}

bool Form1::isShowOpen() const {
    return d->open;
}
