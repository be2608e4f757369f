// Speaker-position rules of the output map: which positions an output may still take, and the
// left/right partner outputs. States live in g_posState (1 blocked, 2 taken, 3 free); bytes
// 28..35 hold the code of each output.
#pragma once

// Every state and output code = free (3); the caller writes the output codes afterwards.
void ResetSpeakerStates();
// Select rule of each output's code, outputs 1..8 in order.
void RecalcSpeakerStates();
// Apply the select / release rule of a code. The output index matters only for code 0; an index
// outside 0..7 makes the code 0 release a no-op. Codes outside 0..26 are ignored.
void SelectSpeakerPos(int code, int out);
void ReleaseSpeakerPos(int code, int out);

int IsAnyOutputMapped();
int IsOutInLinkGroup(int out);
// Later outputs that repeat an earlier output's nonzero code get code 0; 1 when any changed.
int RemoveDuplicatePositions();
// Candidate pairs into g_lrPairCand; 1 when any.
int FindLRPairs();
// Pairs of the left/right link into g_lrPairs, left output first (25/26 too); 1 when any.
int BuildLRLinkPairs();
int IsSameSpeakerGroup(int a, int b);

// Names of the position codes 0..26 (string tables 6200 + code and 6300 + code); null outside.
const char* GetSpeakerPosName(int code, bool chinese);
