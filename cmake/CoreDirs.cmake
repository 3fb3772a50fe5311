# The folders of the game core, in the order they build on each other; the game, karven-sim and
# the fuzz targets all take their sources from here.
set(KARVEN_CORE_DIRS season shell weekend race standings history offseason editors world management principal odds exchange session app)
