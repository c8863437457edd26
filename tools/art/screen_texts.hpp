// Texts the game's screens print, shared by the font layout checks and the screen
// mock-ups so that both measure the very same lines.
#pragma once

namespace art {

// The instructions screen: a centred title over sixteen lines.
inline constexpr const char* kInstructionsTitle = "INSTRUCTIONS";
inline constexpr const char* kInstructionLines[] = {
    "The object of the game is to remove all 8 blocks from the Brakka main screen.",
    "Blocks are removed by winning a puzzle round.",
    "The puzzle round is played on an 8x8 grid filled with random numbers.",
    "Decide if you want to play first or second.",
    "Decide if you want to move vertically or horizontally.",
    "Move the cursor by clicking with the left mouse button. (Or use the arrow keys)",
    "Confirm selection with the right mouse button. (Or use the enter key)",
    "Green values will be added to your total and Red subtracted.",
    "The computer moves and selects a number automatically.",
    "The round continues until there are no more possible moves.",
    "If your round total is higher, one block is removed from the Brakka main screen.",
    "If your round total is lower, one block is replaced.",
    "Game is won when all 8 blocks have been removed.",
    "Game is lost when you lose a round and all 8 blocks are in place.",
    "High ratings are only saved if you exit the game using the 'QUIT' button.",
    "With a game pad: D-pad or left stick to move, A to select, Start to continue.",
};

// The eight blocks' names, block 1 first.
inline constexpr const char* kBlockNames[] = {"PICCADILLY CIRCUS",     "MARBLE ARCH",      "THE LONDON EYE",
                                              "THE SWISS RE BUILDING", "TRAFALGAR SQUARE", "THE PALACE OF WESTMINSTER",
                                              "TOWER BRIDGE",          "St. PAUL'S CATHEDRAL"};

}  // namespace art
