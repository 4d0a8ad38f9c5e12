# The alert lamp, the macro editor and the rows of the commands memo.
target_sources(korvane_ui PRIVATE
    BlinkingLamp.h BlinkingLamp.cpp
    CommandsMemo.h CommandsMemo.cpp
    ProgBtn.h ProgBtn.cpp ProgBtn.ui)
