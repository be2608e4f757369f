// Which sources the input page's source menu offers for each input, per input-mode group.
// Column j is menu choice j: 0 S/PDIF, 1 Hi.Level, 2 Phone, 3..5 the AUX items, 6 OFF.
#pragma once

struct InputOptionTable {
    static constexpr int NUM_CHOICES = 7;
    static constexpr int CHOICE_OFF = 6;
    static constexpr int NUM_GROUPS = 3;

    int choice;                 // 0..6
    int activeRow[NUM_CHOICES]; // the row in use
    int group0[6][NUM_CHOICES]; // 6 inputs
    int group1[5][NUM_CHOICES]; // 5 inputs
    int group2[4][NUM_CHOICES]; // 4 inputs

    // Fills the matrices, choice = OFF, activeRow = row 0 of group 0.
    void Init();
    // Row of an input in a group, or null when the group has no such row.
    const int* GetRow(int group, int input) const;
    // Copies the row into activeRow (a missing row offers only OFF) and falls back to OFF when
    // the current choice is not offered.
    void SelectRow(int group, int input);
    // The mixer source check after an input or input-mode choice: copies the row of the input (a
    // missing row copies nothing) and returns TRUE when the current choice is still offered;
    // otherwise the choice becomes OFF and it returns FALSE. Sends nothing.
    bool CheckForInput(int input, int group);
};
