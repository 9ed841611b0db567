#pragma once

// The panel's controls seen by role, for the parts built around the panel and for tests: each
// view names the controls of one concern by what they do; the design names are beside them.

class AutoSizeLabel;
class ColourSample;
class EditableList;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class SecondsField;

// The background colour: the three bars, the sample box they paint, and "A caso", which greys
// them and stripes the sample in random colours.
struct ColourBars {
    QScrollBar* red = nullptr;      // HScroll1, 0..255
    QScrollBar* green = nullptr;    // HScroll2
    QScrollBar* blue = nullptr;     // HScroll3
    ColourSample* sample = nullptr; // Picture2
    QCheckBox* random = nullptr;    // Check4 "A caso"
};

// The labels the program writes: they grow with their text.
struct ValueLabels {
    AutoSizeLabel* red = nullptr;   // Label10, HScroll1's value
    AutoSizeLabel* green = nullptr; // Label11
    AutoSizeLabel* blue = nullptr;  // Label12
    AutoSizeLabel* speed = nullptr; // Label21, HScroll4's value
    AutoSizeLabel* count = nullptr; // Label17, "N. " and the pictures the last scan found
};

// The seconds field and the two buttons that start and end.
struct PlayControls {
    SecondsField* seconds = nullptr; // Text1, the seconds each picture stays
    QPushButton* play = nullptr;     // cmdOK "&Play"
    QPushButton* fine = nullptr;     // Command1 "&Fine"
};

// The show's other choices.
struct ShowChoices {
    EditableList* effect = nullptr;        // Combo1, the transition effect
    EditableList* labelPosition = nullptr; // Combo2, where the file-name label goes
    QCheckBox* music = nullptr;            // Check1 "&Mp3/midi sottofondo"
    QCheckBox* comments = nullptr;         // Check2 "C&ommenti audio"
    QCheckBox* enlarge = nullptr;          // Check3 "Ingrandisci le foto"
    QCheckBox* frame = nullptr;            // Check5 "Cornice 3&D foto"
    QScrollBar* speed = nullptr;           // HScroll4, 0..100
};

// Where the decorations and the system information tool hang on the panel.
struct SettingsFrame {
    QGroupBox* frame = nullptr;        // Frame1, round the settings and the buttons
    QLabel* secondsCaption = nullptr;  // Label1, which "&Aiuto" moves out of view
    QPushButton* systemInfo = nullptr; // cmdSysInfo "&System Info..."
};
