"""The brick game's desktop icon for scripts/make-icons: rows of bricks, one already
knocked out, the ball and the paddle, on the shared panel of 64 x 64 design units."""

# Brick rows top to bottom, and the one brick already knocked out (row, column).
BRICK_ROWS = [(232, 64, 64), (242, 168, 44), (84, 198, 96)]
BRICK_COLUMNS = 4
BRICK_LEFT, BRICK_TOP = 8, 10
BRICK_WIDTH, BRICK_HEIGHT = 10.5, 5
BRICK_GAP = 2
KNOCKED_OUT = (2, 2)


def shapes(icons):
    drawn = icons.panel()
    for row, colour in enumerate(BRICK_ROWS):
        for column in range(BRICK_COLUMNS):
            if (row, column) == KNOCKED_OUT:
                continue
            x = BRICK_LEFT + column * (BRICK_WIDTH + BRICK_GAP)
            y = BRICK_TOP + row * (BRICK_HEIGHT + BRICK_GAP)
            drawn.append(icons.RoundedRect(x, y, BRICK_WIDTH, BRICK_HEIGHT, 1, colour))
    drawn.append(icons.Circle(36, 38, 3.4, icons.BALL))
    drawn.append(icons.RoundedRect(22, 48, 20, 5, 2.5, (188, 194, 222)))
    return drawn
