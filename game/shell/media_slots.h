// The game's media slots: the sprite, font and sound numbers every screen draws and plays by, and
// load_media, which fills them from the media folder (or the archives).
#pragma once

namespace sprite {
constexpr int green_tile = 1;          // "green.bmp": a positive cell
constexpr int red_tile = 2;            // "red.bmp": a negative cell
constexpr int cursor_frame = 3;        // "outeranim.bmp": cursor frame animation, 68 x 68 cells
constexpr int level_over = 4;          // "levelover.png": round end
constexpr int question_mark = 5;       // "qmark.bmp": rocks beside the player to move
constexpr int go_sign = 6;             // "go.bmp": the player to move
constexpr int stop_sign = 7;           // "stop.bmp": the other player
constexpr int vertical_hint = 8;       // "vertical.png"
constexpr int horizontal_hint = 9;     // "horizontal.png"
constexpr int my_turn = 10;            // "myturn.png": the computer moves
constexpr int your_turn = 11;          // "yourturn.png": the human moves
constexpr int you_win = 12;            // "youwin.png": round won (also the value of round_result)
constexpr int you_lose = 13;           // "youlose.png": round lost (also the value of round_result)
constexpr int continue_button = 14;    // "continue.png"
constexpr int quit_button = 15;        // "quit.png"
constexpr int its_a_draw = 16;         // "itsadraw.png"
constexpr int first_button = 17;       // "first.png": round set-up
constexpr int second_button = 18;      // "second.png"
constexpr int horizontal_button = 19;  // "horiz.png"
constexpr int vertical_button = 20;    // "vert.png"
constexpr int map_plate = 21;          // "mapcover.png": a block's plate on the main screen
constexpr int map_bevel = 22;          // "bevel.png": the frame of a block's picture
constexpr int edition = 90;            // welcome screen: "edition.png"
constexpr int title = 91;              // welcome screen: "brakka.png"
constexpr int copyright = 92;          // welcome screen: "copyw.png"
constexpr int welcome_buttons = 93;    // welcome screen: "buttons.png"
constexpr int keyboard = 94;           // name keyboard: "keys.png"
constexpr int stats_title = 95;        // stats screen: "brakka.png"
constexpr int round_picture_a = 99;    // the block's first landmark picture (shown after a won round)
constexpr int round_picture_b = 100;   // the block's second landmark picture (under the board)
constexpr int block_picture_0 = 100;   // + block number 1..8: "1c.png".."8c.png"; welcome and win
                                       // screens use 101..120 for their animation frames
}  // namespace sprite

namespace font {
constexpr int scores = 0;   // "scoresfont.png"
constexpr int green = 1;    // "greenfont.png"
constexpr int red = 2;      // "redfont.png"
constexpr int info = 3;     // "infofont.png"
constexpr int total = 4;    // "totalfont.png"
constexpr int options = 5;  // "options.png"
constexpr int hint = 6;     // "hint.png"
}  // namespace font

namespace sound {
constexpr int add = 1;       // "add.wav": one unit counted into a total
constexpr int move = 2;      // "move.wav": a cursor step
constexpr int click = 3;     // "click.wav": every button
constexpr int win = 4;       // "win.wav": a block put back; a won round
constexpr int lose = 5;      // "lose.wav": a block taken off; a lost round
constexpr int ambience = 6;  // "amb.wav": lose screen and stats screen
}  // namespace sound

// Loads every slot above that load_media owns: the sprites, then the fonts (font 6 is current
// afterwards), then the sounds. A missing file leaves its slot empty.
void load_media();
