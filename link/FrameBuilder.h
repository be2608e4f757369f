// The frame builders: each turns part of the parameter image or a system record
// into a finished frame inside a new packet. They share one header and one
// payload buffer, so each build runs under g_linkLock (taken here; callers may
// hold it already).
#pragma once

#include "link/LinkFrame.h"
#include "link/SendData.h"

#include <memory>

// Bytes 0..3 hold sync and start from the beginning; builders rewrite 4..10
// and 12..13.
extern BYTE g_frameHead[LinkFrame::HEADER_SIZE];
extern BYTE g_framePayload[LinkFrame::MAX_PAYLOAD];

// Copies the header and the payload into buffer, closes it with checksum and
// FRAME_END. length must be the header's payload length + 16.
void PackFrame(BYTE* buffer, int length);

// A 24-byte write of one 8-byte chunk of a live record, or the idle poll for
// GROUP_POLL. nullptr for an unknown group or an index or chunk outside the
// record.
std::unique_ptr<CSendData> BuildChunkFrame(int group, int index, int chunk);
// A whole-record write; bLive takes the live record, else bStored a stored
// preset's, else (effect only) the machine preset named by preset.
std::unique_ptr<CSendData> BuildRecordFrame(int preset, int group, int index, BOOL bLive, BOOL bStored);
// A 24-byte record read request.
std::unique_ptr<CSendData> BuildReadFrame(int preset, int group, int index, BOOL bLive, BOOL bStored);
// A 24-byte system record read request. The address argument is accepted and
// not used.
std::unique_ptr<CSendData> BuildSystemReadFrame(int cmd, int preset, int addr = 1);
// The write of a system record; nullptr for a record that has no writer.
std::unique_ptr<CSendData> BuildSystemFrame(int cmd, int preset);
