// Small owners of GDI objects, device contexts and icons, so that no path of the painting leaks one.
#pragma once

#include "platform/win32.h"

// Deletes a GDI object (bitmap, brush, font, region) when it goes.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object = nullptr) : object_(object) {}
  ~GdiObject() { reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ get() const { return object_; }
  // Gives the object up without deleting it.
  HGDIOBJ release() {
    HGDIOBJ object = object_;
    object_ = nullptr;
    return object;
  }
  void reset(HGDIOBJ object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }

 private:
  HGDIOBJ object_;
};

// A memory DC made with CreateCompatibleDC, deleted when it goes.
class MemoryDc {
 public:
  explicit MemoryDc(HDC dc = nullptr) : dc_(dc) {}
  ~MemoryDc() { reset(); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }
  HDC release() {
    HDC dc = dc_;
    dc_ = nullptr;
    return dc;
  }
  void reset(HDC dc = nullptr) {
    if (dc_) DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back when it goes.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { reset(); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  // Puts the previous object back now; nothing happens when the selection goes.
  void reset() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    previous_ = nullptr;
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

// GetDC to ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An icon from LoadImage (not shared), destroyed when it goes.
class OwnedIcon {
 public:
  explicit OwnedIcon(HICON icon = nullptr) : icon_(icon) {}
  ~OwnedIcon() { reset(); }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  HICON get() const { return icon_; }
  void reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_;
};
