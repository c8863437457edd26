// The game's executable: the runtime's process entry (linked from the engine) runs the game.
