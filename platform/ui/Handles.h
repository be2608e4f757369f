// Opaque handles of the window and drawing layer. Every GDI object (pen, brush, font, bitmap,
// region) shares one handle type, so the system's casts between HGDIOBJ and HBRUSH are no-ops.
#pragma once

#include "platform/core/WinTypes.h"

struct GdiHandle;
using HGDIOBJ = GdiHandle*;
using HPEN = GdiHandle*;
using HBRUSH = GdiHandle*;
using HFONT = GdiHandle*;
using HBITMAP = GdiHandle*;
using HRGN = GdiHandle*;

// A device context handle is the address of its CDC object.
struct HDC__;
using HDC = HDC__*;

struct CursorHandle;
using HCURSOR = CursorHandle*;
using HICON = CursorHandle*;

struct HMENU__;
using HMENU = HMENU__*;

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
