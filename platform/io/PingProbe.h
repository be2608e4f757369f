// The reachability probe: the system's ping command run once as a child process (an argument
// vector, never a shell), its output searched for the TTL of an answer. Tests install their own.
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

// ip: dotted IPv4 text; output: what the probe printed (may be null). TRUE when the host answered.
using PingProbeFn = std::function<BOOL(const char* ip, std::string* output)>;

// Runs the installed probe, or SystemPing when none is installed.
BOOL PingHost(const char* ip, std::string* output = nullptr);
// Installs a probe; an empty function puts the system one back.
void SetPingProbe(PingProbeFn probe);

// "ping -c 1 -W 3 <ip>" with a 3 s deadline (then the child is killed). Refuses anything that is not
// a dotted IPv4 address.
BOOL SystemPing(const char* ip, std::string* output);
// TRUE when ping output shows an answer: "TTL=" (Windows form) or "ttl=" (Linux form).
BOOL PingOutputHasTtl(const std::string& text);

// Runs argv[0] (searched in PATH) with stdin from /dev/null and stdout and stderr captured (at most
// maxOutput bytes kept). Returns the exit status, or -1 when it could not start, was killed by a
// signal, or ran past timeoutMs (it is then killed).
int RunChildWithDeadline(const std::vector<std::string>& argv, DWORD timeoutMs, std::string* output,
                         size_t maxOutput = 1023);
