#pragma once

// The screen the core shows and routes input to.
enum class GameState : int {
    Playing = 0,
    RoundOver = 1,
    ShipSelect = 2,
    MainMenu = 3,
    Options = 4,
    ArcadeMenu = 5,
    Stats = 6,
    ScoreSubmit = 7,
    Leaderboards = 8,
    MultiplayerLobby = 9,
    MultiplayerSettings = 10,
    LevelSelect = 11,
    MatchStats = 12,
    // Handled by the update and the draw, but never stored by this program.
    ArcadeNameEntry = 13,
    Attract = 14
};

// The rules and the music of a round; also indexes the per-mode tables.
enum class GameMode : int { Intro = 0, Easy = 1, Hard = 2, Mission = 3, AsteroidField = 4, Multiplayer = 5 };
