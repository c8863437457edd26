#include "game/shell/media_slots.h"

#include "engine/media/font.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"

namespace {

struct SlotFile {
  int slot;
  const char* file;
};

constexpr SlotFile kSprites[] = {
    {1, "green.bmp"},     {2, "red.bmp"},     {3, "outeranim.bmp"}, {4, "levelover.png"},  {5, "qmark.bmp"},
    {6, "go.bmp"},        {7, "stop.bmp"},    {8, "vertical.png"},  {9, "horizontal.png"}, {10, "myturn.png"},
    {11, "yourturn.png"}, {12, "youwin.png"}, {13, "youlose.png"},  {14, "continue.png"},  {15, "quit.png"},
    {16, "itsadraw.png"}, {17, "first.png"},  {18, "second.png"},   {19, "horiz.png"},     {20, "vert.png"},
    {21, "mapcover.png"}, {22, "bevel.png"},  {99, "1a.png"},       {100, "1b.png"},       {101, "1c.png"},
    {102, "2c.png"},      {103, "3c.png"},    {104, "4c.png"},      {105, "5c.png"},       {106, "6c.png"},
    {107, "7c.png"},      {108, "8c.png"},
};

constexpr SlotFile kFonts[] = {
    {0, "scoresfont.png"}, {1, "greenfont.png"}, {2, "redfont.png"}, {3, "infofont.png"},
    {4, "totalfont.png"},  {5, "options.png"},   {6, "hint.png"},
};

constexpr SlotFile kSounds[] = {
    {1, "add.wav"}, {2, "move.wav"}, {3, "click.wav"}, {4, "win.wav"}, {5, "lose.wav"}, {6, "amb.wav"},
};

}  // namespace

void load_media() {
  for (const SlotFile& s : kSprites) {
    if (s.slot == sprite::cursor_frame) spr_load_anim(s.file, s.slot, 68, 68);
    else spr_load(s.file, s.slot);
  }
  for (const SlotFile& f : kFonts) font_load(f.file, f.slot);
  for (const SlotFile& s : kSounds) snd_load(s.file, s.slot, 1);
}
