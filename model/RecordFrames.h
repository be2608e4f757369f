// The record frames: each turns part of the parameter image or a system record into a finished
// frame inside a new packet, packed by wire/FrameBuilder. Each reads the image under g_linkLock
// (taken here; callers may hold it already). Byte 5 of every header is g_nDeviceAddr.
#pragma once

#include "wire/LinkFrame.h"
#include "wire/SendData.h"

#include <memory>

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
