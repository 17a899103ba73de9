#pragma once
// DrawNotes: implemented by a renderer that wants to know what a draw was asked for, not only the
// textured quads it becomes (the headless recording renderer). The real renderer does not implement it.
#include <string>

struct TImage;

class DrawNotes {
 public:
  virtual ~DrawNotes() = default;
  // Called before the draw they describe, with the caller's own position.
  virtual void NoteImage(const TImage& image, int frame, float x, float y) = 0;
  virtual void NoteText(const std::string& text, float x, float y) = 0;
};
