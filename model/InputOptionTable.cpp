#include "model/InputOptionTable.h"

#include <cstring>

namespace {
constexpr int kGroup0[6][InputOptionTable::NUM_CHOICES] = {
    {0, 1, 1, 1, 1, 1, 1}, {1, 0, 1, 1, 0, 0, 1}, {1, 1, 0, 0, 1, 1, 1},
    {1, 1, 0, 0, 1, 1, 1}, {1, 0, 1, 1, 0, 1, 1}, {1, 0, 1, 1, 1, 0, 1},
};
constexpr int kGroup1[5][InputOptionTable::NUM_CHOICES] = {
    {0, 1, 1, 1, 1, 0, 1}, {1, 0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 1, 0, 1},
    {1, 0, 0, 0, 1, 0, 1}, {1, 0, 1, 1, 0, 0, 1},
};
constexpr int kGroup2[4][InputOptionTable::NUM_CHOICES] = {
    {0, 1, 1, 1, 0, 0, 1},
    {1, 0, 1, 0, 0, 0, 1},
    {1, 1, 0, 0, 0, 0, 1},
    {1, 0, 0, 0, 0, 0, 1},
};
} // namespace

void InputOptionTable::Init() {
    std::memcpy(group0, kGroup0, sizeof group0);
    std::memcpy(group1, kGroup1, sizeof group1);
    std::memcpy(group2, kGroup2, sizeof group2);
    choice = CHOICE_OFF;
    std::memcpy(activeRow, group0[0], sizeof activeRow);
}

const int* InputOptionTable::GetRow(int group, int input) const {
    if (input < 0)
        return nullptr;
    switch (group) {
    case 0:
        return input < 6 ? group0[input] : nullptr;
    case 1:
        return input < 5 ? group1[input] : nullptr;
    case 2:
        return input < 4 ? group2[input] : nullptr;
    default:
        return nullptr;
    }
}

void InputOptionTable::SelectRow(int group, int input) {
    if (const int* row = GetRow(group, input)) {
        std::memcpy(activeRow, row, sizeof activeRow);
    } else {
        for (int j = 0; j < NUM_CHOICES; ++j)
            activeRow[j] = j == CHOICE_OFF ? 1 : 0;
    }
    if (choice < 0 || choice >= NUM_CHOICES || !activeRow[choice])
        choice = CHOICE_OFF;
}

bool InputOptionTable::CheckForInput(int input, int group) {
    if (const int* row = GetRow(group, input))
        std::memcpy(activeRow, row, sizeof activeRow);
    if (choice >= 0 && choice < NUM_CHOICES && activeRow[choice])
        return true;
    choice = CHOICE_OFF;
    return false;
}
