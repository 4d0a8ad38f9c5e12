# The main window, the splash window and the fonts they are designed for.
target_sources(korvane_ui PRIVATE
    Colours.h Colours.cpp
    Fonts.h Fonts.cpp
    Main.h Main.cpp Main.ui MainAlerts.cpp MainCommands.cpp MainSession.cpp MainShell.cpp MainSpots.cpp
    MessageBox.h MessageBox.cpp
    SplashFrm.h SplashFrm.cpp SplashFrm.ui)
