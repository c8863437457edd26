// The renderer object and the state it keeps between drawing calls. Internal to engine/media.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include "engine/media/draw_list.h"
#include "engine/media/font_glyphs.h"
#include "engine/media/picture_budget.h"
#include "engine/media/renderer.h"
#include "engine/platform/gl_headers.h"

// Tiles of the screen background picture: up to 8 x 8 square textures of side T.
struct BackgroundTile {
  GLuint texture = 0;
  int16_t texture_width = 0;
  int16_t texture_height = 0;
  int16_t drawn_width = 0;
  int16_t drawn_height = 0;
  // The part of the tile the picture covers (from its top-left), and whether all of that part has
  // alpha 255. The rest of a border tile is transparent padding that the alpha test drops.
  int16_t picture_width = 0;
  int16_t picture_height = 0;
  bool opaque = false;
};

struct BackgroundImage {
  static constexpr int kMaxTiles = 8;
  BackgroundTile tiles[kMaxTiles][kMaxTiles];  // [column][row]
  uint8_t columns = 0;
  uint8_t rows = 0;
  std::string source_key;  // name and directory it was loaded from; empty when none is loaded
  // Non-zero when the load of source_key failed with this error code: asking for the same name again
  // fails the same way at once, without another look-up, decode or log line.
  int failed_code = 0;
  bool loaded() const { return columns != 0 && rows != 0; }
};

// What the renderer keeps to draw only what changed: the frame's commands as they are recorded, the
// previous frame's, and whether the kept picture (the off-screen buffer) holds what those drew.
struct FrameRecord {
  bool enabled = false;     // frames are recorded and drawn into the kept picture
  bool recording = false;   // the frame's commands are held, to be drawn when the frame ends
  bool immediate = false;   // this frame draws as it goes: a picture changed or the screen was read
  bool replaying = false;   // the held commands are being drawn
  bool kept_valid = false;  // the kept picture holds what `previous` draws
  DrawList list, previous;
  std::vector<DrawBox> boxes;
  std::vector<uint32_t> versions;  // per sprite table slot, then the background's
  uint32_t next_version = 0;
  // The frame drawn in part (the boxes above) into a window shown as before: where the window keeps
  // its back buffer, only those boxes are shown.
  bool present_part = false;
  // The window's size changed since it was last shown: even where it keeps its back buffer, it is
  // swapped once, as a driver may size the back buffer anew only at a swap.
  bool present_swap = true;
  // The frame's list differed from the last one's too much to redraw it in boxes.
  bool changed_whole = false;
  // The last frame was drawn straight into the window (picture_buffer_draw_in_window), not into the
  // kept picture, and drawing goes on there until the next frame is drawn into the kept picture.
  bool in_window = false;
  // What the window was last shown: its size and the platform's repaint count then.
  bool shown = false;
  int shown_w = 0, shown_h = 0;
  uint32_t shown_repaints = 0;
};

// A full-screen layer kept to be drawn in one pass (layer_cache.cpp): the copy of what the first
// commands of a list drew, the key of those commands, and the frame it was last drawn in.
struct KeptLayer {
  std::string key;
  GLuint texture = 0;
  int64_t bytes = 0;
  long used = 0;
};

class Duderozi3D {
 public:
  virtual ~Duderozi3D() = default;
};

class OpenGLDuderozi : public Duderozi3D {
 public:
  OpenGLDuderozi();
  ~OpenGLDuderozi() override;  // releases every texture; the window belongs to the platform

  std::vector<SpriteRecord> sprites;                               // kSpriteSlots records
  std::vector<std::unique_ptr<std::vector<uint8_t>>> pixel_cache;  // optional pixel copy per slot
  GlyphRecord glyphs[kFontSlots][256];

  int sprite_key = 8388863;  // R 255, G 0, B 128
  int font_key = 0;
  int current_font = 0;

  BackgroundImage background;

  // Picture memory (picture_budget.h): the budget for the textures of the sprite table and background.
  int64_t picture_budget = kPictureBudgetBytes;

  // Drawing state.
  float opacity = 1.0f;
  uint8_t smoothing = 1;
  uint8_t clear_each_frame = 1;
  float clear_color[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  bool depth_clear_pending = false;
  // Set by every command that draws into the back buffer; cleared when the background is drawn, so
  // a background drawn over an untouched background can be skipped.
  bool drawn_over_background = true;

  // GL facts found at start-up.
  bool gl_ready = false;
  bool bgra_supported = false;
  int alpha_bits_known = -1;  // -1 not asked yet, else 0/1
  int texture_units = 1;
  // glActiveTexture (OpenGL 1.3, which Windows' opengl32.dll does not export), from the context.
  PFNGLACTIVETEXTUREPROC active_texture = nullptr;
  int screen_width = 0;
  int screen_height = 0;

  // The off-screen picture (picture_fbo 0: there is none, drawing always goes to the window).
  GLuint picture_fbo = 0;
  GLuint picture_color = 0;
  GLuint picture_depth = 0;
  int picture_w = 0;
  int picture_h = 0;
  bool picture_offscreen = false;       // frames are drawn into picture_fbo (the window is scaled)
  bool picture_back_to_window = false;  // from the next frame on, drawing goes to the window again
  // The window is shown without swaps (Platform::gl_show_part), so its back buffer is kept from frame
  // to frame: while it shows the picture 1:1 frames are drawn straight into it, the kept picture
  // itself; scaled, it holds the last frame shown, scaled (window_holds_shown), and only the boxes that
  // changed are copied into it and shown.
  bool window_kept = false;
  bool window_holds_shown = false;

  // Test and device hooks.
  int texture_limit_cap = 0;  // 0 = the driver's limit
  bool force_grab_readback = false;
  double alpha_mode = 0.0;  // the last draw_alpha_mode
  int background_decodes = 0;

  std::vector<float> text_vertices;  // 5 floats per vertex, 4 vertices per character

  FrameRecord record;
  std::vector<KeptLayer> layers;
  long layer_clock = 0;  // frames finished
};

// The live renderer or null before renderer_create() / after renderer_destroy().
OpenGLDuderozi* renderer_object();
// The live renderer with a current GL context, or null.
OpenGLDuderozi* renderer_gl();

// GL_MAX_TEXTURE_SIZE, lowered to the cap when one is set.
int renderer_texture_limit();
// Uploads the side x side region at (x0, y0) of the picture as one background tile texture (edge
// fill, no mip copy; nearest filtering, as tiles are only drawn 1:1). Parts beyond the picture are
// transparent.
bool upload_background_tile(const ImageBuffer& image, int x0, int y0, int side, GLuint& texture);
// Generates a texture name, binds it and sets wrap GL_REPEAT and the two filters; no pixels yet.
GLuint new_bound_texture(GLint mag_filter, GLint min_filter);
// Fills a record's texture and picture sizes and u_max / v_max for a w x h picture in a tw x th texture.
void set_record_size(SpriteRecord& rec, int w, int h, int tw, int th);
// How a drawing command samples a slot's texture.
enum class Sampling {
  own_filter,  // keep the texture's own filter (fonts)
  smoothing,   // linear or nearest as the smoothing flag says
  one_to_one,  // the picture lands 1:1 on whole pixels: every pixel centre is a texel centre, where
               // linear filtering returns exactly that texel, so nearest sampling draws the same
};
// Binds a slot's texture for drawing: texturing on, wrap repeat, filters as sampling says.
void bind_sprite_texture(const SpriteRecord& rec, Sampling sampling);
// A sprite drawn 1:1 as one quad: its corners (picture pixels, y downwards), its texture coordinates
// (v0 at the bottom edge), and whether every texel it shows lies inside the picture (none of the
// transparent padding).
struct SpriteQuad {
  float x0, y0, x1, y1;
  float u0, v0, u1, v1;
  bool inside;
};
SpriteQuad sprite_quad(const SpriteRecord& rec, int x, int y);           // the whole picture at x, y
SpriteQuad anim_quad(const SpriteRecord& rec, int frame, int x, int y);  // a cell; needs cell sizes > 0
void sprite_quad_vertices(const SpriteQuad& q);  // its 4 vertices, in glBegin(GL_QUADS)
// A 1:1 drawing of an opaque picture's texels at opacity 1 needs no alpha test (it drops nothing):
// drawn with it off, the GL takes its faster paths.
bool sprite_alpha_test_pausable(const OpenGLDuderozi& r, const SpriteRecord& rec, bool inside_picture);
// A text's glyphs as one triangle strip (5 floats a vertex: x, y, z, u, v), appended to out; the
// vertices added (4 a glyph, up to the first glyph 0). font_draw_vertices draws such a strip with the
// font's texture bound.
size_t font_text_vertices(const OpenGLDuderozi& r, int font, std::string_view text, double x, double y,
                          int kerning, std::vector<float>& out);
void font_draw_vertices(const std::vector<float>& v);
// Draws commands [begin, end) of a held list (only those that meet the box, when there is one) from
// the state the commands before them left, with what the renderer's own calls would draw: sprites and
// texts of one picture are joined into one draw wherever moving them past the commands between changes
// no pixel (their boxes do not meet, and no state changes in between). Returns how many commands were
// drawn joined to an earlier one's draw.
size_t draw_list_replay(OpenGLDuderozi& r, const DrawList& list, size_t begin, size_t end,
                        const DrawBox* box);
// The frame's drawing state as every frame starts with it (the part of renderer_frame_setup after the
// viewport).
void frame_state_reset(OpenGLDuderozi& r);
// Holds a drawing command in the frame's list while frames are recorded: true when the caller is to
// draw nothing now (it is drawn when the frame ends). While the frame draws as it goes, or nothing is
// recorded, false: the caller draws now. text: the bytes of a text command.
bool draw_list_take(DrawCommand command, std::string_view text = {});
// Before a picture slot (the background: kBackgroundSlot; -1: none) changes or the screen is read:
// the frame's held commands are drawn now, and the rest of the frame draws as it goes.
constexpr int kBackgroundSlot = kSpriteSlots;
void renderer_before_change(int slot);
// Starts the next frame's list (after a present), from what the frame starts with.
void frame_record_start(OpenGLDuderozi& r, DrawCommand base, bool has_base);
// True when the background picture covers the whole picture with opaque pixels.
bool background_covers_picture(const OpenGLDuderozi& r);
// Whether frames are to be recorded (renderer_set_change_tracking), and whether drawing is blind.
bool frame_record_wanted();
bool kept_window_allowed();  // renderer_allow_kept_window
bool renderer_blind();

// Full-screen layers drawn once (layer_cache.cpp). layer_run_length: how many of the list's first
// commands a layer can stand for (a clear, then at least two draws that each cover at least half the
// picture, and the state changes among them), 0 for none. layer_draw draws the layer of those commands if one is
// kept (and leaves the state as opaque mode: the caller sets the state those commands leave);
// layer_make keeps what the buffer drawn into holds now as the layer of those commands.
// layer_cache_tick ages the layers once a frame, letting go of those unused for a while.
size_t layer_run_length(const OpenGLDuderozi& r, const DrawList& list);
bool layer_draw(OpenGLDuderozi& r, const DrawList& list, size_t n);
void layer_make(OpenGLDuderozi& r, const DrawList& list, size_t n);
void layer_cache_tick(OpenGLDuderozi& r);
void layer_cache_release(OpenGLDuderozi& r);

// Clears the colour buffer to the clear colour (as a command of the frame).
void clear_now(OpenGLDuderozi& r);
// Opaque mode: blend off, alpha test on, opacity 1, colour white.
void set_opaque_mode(OpenGLDuderozi& r);
// Draws the background tiles over the whole screen.
void background_draw(OpenGLDuderozi& r);
void background_release(OpenGLDuderozi& r);
// The off-screen picture: made at GL start-up of the picture's size when the driver allows, released
// with the renderer. picture_buffer_bind binds the buffer frames are drawn into now (at every frame
// set-up); picture_buffer_after_swap moves drawing back into the window after a present that found
// the window at the picture's size again.
void picture_buffer_create(OpenGLDuderozi& r, const std::string& extensions);
void picture_buffer_release(OpenGLDuderozi& r);
void picture_buffer_bind(const OpenGLDuderozi& r);
void picture_buffer_after_swap(OpenGLDuderozi& r);
// Where the window keeps its back buffer: the frame about to be drawn goes into the window while it
// shows the picture 1:1 (w x h, its size now) as it did at the last present, else (resized: it is to be
// swapped in) into the off-screen picture. True when that moved drawing from one to the other, so that
// the frame must be drawn whole.
bool picture_buffer_choose(OpenGLDuderozi& r, int w, int h, bool resized);
// Where the window is shown by swaps and shows the picture 1:1 (w x h, its size now), a frame may be
// drawn straight into it rather than into the kept picture: picture_buffer_draw_in_window sends
// drawing there (record.in_window), and the present swaps the frame in as it is. Reads of the screen
// see the window until picture_buffer_draw_in_kept sends drawing back to the kept picture.
bool picture_buffer_window_takes(const OpenGLDuderozi& r, int w, int h);
void picture_buffer_draw_in_window(OpenGLDuderozi& r);
void picture_buffer_draw_in_kept(OpenGLDuderozi& r);
