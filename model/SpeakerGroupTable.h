// Outputs that play the same side of the car, so pages can step them together.
#pragma once

#include <functional>

// Centre, rear and subwoofer groups.
struct SpeakerGroup {
    int linkFlag;   // 0 with two or three members, else -1
    int members[8]; // k when output k belongs to the group, else -1
};

// Front left and front right groups.
struct FrontSpeakerGroup {
    int linkFlag;
    int kind;     // 1 tweeter + other, 2 tweeter + woofer, 3 two without tweeter, 4 three; else -1
    int codes[3]; // codes of the first three members in output order
    int members[8];
};

struct SpeakerGroupTable {
    SpeakerGroup centre;          // 19, 20
    FrontSpeakerGroup frontLeft;  // 1..5
    FrontSpeakerGroup frontRight; // 7..11
    SpeakerGroup rearLeft;        // 13, 14
    SpeakerGroup rearRight;       // 16, 17
    SpeakerGroup subwoofer;       // 22, 23

    // Rebuilds the groups from the output codes in g_posState; then runs hideDialog when given.
    void Rebuild(const std::function<void()>& hideDialog = nullptr);
};
