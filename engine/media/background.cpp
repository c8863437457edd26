// The screen background picture: cut into square tiles, drawn at once and before every frame.
#include <algorithm>
#include <string>

#include "engine/core/log.h"
#include "engine/media/draw.h"
#include "engine/media/image.h"
#include "engine/media/image_staging.h"
#include "engine/media/picture_file.h"
#include "engine/media/renderer_state.h"
#include "engine/platform/os_files.h"

namespace {

// A background is identified by the name it was asked for and the directory it was resolved in.
std::string source_key(const Str& file) { return os_cwd() + '\n' + file.c_str(); }

bool load_tiles(OpenGLDuderozi& r, const ImageBuffer& image, int side) {
  const int columns = std::min(BackgroundImage::kMaxTiles, (image.width + side - 1) / side);
  const int rows = std::min(BackgroundImage::kMaxTiles, (image.height + side - 1) / side);
  // Pictures larger than the grid are cut: only the top-left 8 x 8 tiles are kept.
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      BackgroundTile& tile = r.background.tiles[column][row];
      if (!upload_background_tile(image, column * side, row * side, side, tile.texture)) return false;
      tile.texture_width = tile.texture_height = static_cast<int16_t>(side);
      tile.drawn_width = tile.drawn_height = static_cast<int16_t>(side);
      tile.picture_width = static_cast<int16_t>(std::min(side, image.width - column * side));
      tile.picture_height = static_cast<int16_t>(std::min(side, image.height - row * side));
      tile.opaque = image_region_opaque(image, column * side, row * side, side, side);
    }
  }
  r.background.columns = static_cast<uint8_t>(columns);
  r.background.rows = static_cast<uint8_t>(rows);
  return columns > 0 && rows > 0;
}

// A failed load: no background, cleared to black now and before every frame.
void load_failed(OpenGLDuderozi& r, int code) {
  app_set_error(code);
  r.clear_color[0] = r.clear_color[1] = r.clear_color[2] = 0.0f;
  r.clear_color[3] = 1.0f;
  r.clear_each_frame = 1;
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace

void background_release(OpenGLDuderozi& r) {
  for (auto& column : r.background.tiles) {
    for (BackgroundTile& tile : column) {
      if (tile.texture && r.gl_ready) glDeleteTextures(1, &tile.texture);
      tile = BackgroundTile{};
    }
  }
  r.background.columns = 0;
  r.background.rows = 0;
  r.background.source_key.clear();
  r.background.failed_code = 0;
}

void background_draw(OpenGLDuderozi& r) {
  if (!r.background.loaded()) return;
  set_opaque_mode(r);
  if (r.texture_units > 1 && r.active_texture) {
    r.active_texture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    r.active_texture(GL_TEXTURE0);
  }
  glEnable(GL_TEXTURE_2D);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  bool alpha_test = true;
  for (int column = 0; column < r.background.columns; ++column) {
    for (int row = 0; row < r.background.rows; ++row) {
      const BackgroundTile& tile = r.background.tiles[column][row];
      glBindTexture(GL_TEXTURE_2D, tile.texture);
      const float x0 = static_cast<float>(column * tile.texture_width);
      const float y0 = static_cast<float>(row * tile.texture_height);
      // An opaque tile is drawn over the picture's part only and without the alpha test: the test
      // would pass every pixel there and drop every pixel of the padding, so the result is the same,
      // and a drawing without it lets the GL take its faster opaque paths.
      float w = tile.drawn_width, h = tile.drawn_height;
      if (tile.opaque) {
        w = tile.picture_width;
        h = tile.picture_height;
      }
      if (tile.opaque == alpha_test) {
        alpha_test = !tile.opaque;
        if (alpha_test) glEnable(GL_ALPHA_TEST);
        else glDisable(GL_ALPHA_TEST);
      }
      const float x1 = x0 + w, y1 = y0 + h;
      const float u1 = w / tile.texture_width, v0 = 1.0f - h / tile.texture_height;
      const float v[16] = {x0, y1, 0.0f, v0,    //
                           x1, y1, u1,   v0,    //
                           x1, y0, u1,   1.0f,  //
                           x0, y0, 0.0f, 1.0f};
      glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), v);
      glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), v + 2);
      glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    }
  }
  if (!alpha_test) glEnable(GL_ALPHA_TEST);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisable(GL_TEXTURE_2D);
  r.drawn_over_background = false;
}

void draw_load_background(const Str& file) {
  app_set_error(RtError::success);
  OpenGLDuderozi* r = renderer_gl();
  if (!r) {
    app_set_error(RtError::file);
    return;
  }
  // The main screen asks for the same picture every frame: keep the tiles while the name stays, and
  // a failure too.
  const std::string key = source_key(file);
  if (r->background.source_key == key) {
    if (r->background.failed_code) {
      load_failed(*r, r->background.failed_code);
    } else if (r->drawn_over_background) {
      background_draw(*r);
    } else {
      // Nothing was drawn since the background was: the screen already shows it. Only the
      // state change of drawing it is left to make.
      set_opaque_mode(*r);
      glDisable(GL_TEXTURE_2D);
    }
    return;
  }
  // The old tiles go first: their memory is the new picture's to use.
  background_release(*r);
  const int side = std::min(512, renderer_texture_limit());
  const auto cost = [side](int w, int h) { return background_picture_cost(w, h, side); };
  ImageBuffer image;
  int code = picture_file_read(file, kNoColorKey, true, cost, image);
  if (code == 0) {
    ++r->background_decodes;
    if (load_tiles(*r, image, side)) {
      r->background.source_key = key;
      picture_note_peak(*r);
      background_draw(*r);
      return;
    }
    code = picture_file_upload_failed(file);
  }
  background_release(*r);
  r->background.source_key = key;
  r->background.failed_code = code;
  load_failed(*r, code);
}

int renderer_background_decodes() {
  OpenGLDuderozi* r = renderer_object();
  return r ? r->background_decodes : 0;
}
