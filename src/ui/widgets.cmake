# The string grid of the spot and message lists, and the band chart.
target_sources(korvane_ui PRIVATE
    BandChart.h BandChart.cpp
    StringGrid.h StringGrid.cpp
    StringGridModel.h StringGridModel.cpp)
