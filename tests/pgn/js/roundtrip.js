'use strict'
// Round trips between Quillon and chess.js, a PGN reader and writer we did
// not write.
//
// 1. Quillon's PGN export of generated games, read by chess.js: every move
//    accepted in strict SAN, the same SAN written back, the same final
//    position and the same tags.
// 2. Seeded random games played and written by chess.js, with tags and
//    comments, read by Quillon and written again, read back by chess.js:
//    the same moves. Games with an en-passant capture or an under-promotion
//    must be refused, naming that move.
//
// usage: node roundtrip.js GAME-GENERATOR PGN-NORMALISER

const assert = require('node:assert/strict')
const { execFileSync } = require('node:child_process')
const fs = require('node:fs')
const os = require('node:os')
const path = require('node:path')
const { Chess } = require('chess.js')

const kMinimumGames = 10

// Kinds of SAN that the games together must contain, so the round trip
// cannot pass on games that never castle, promote or mate.
const kRequiredKinds = {
  'king-side castling': (san) => /^O-O[+#]?$/.test(san),
  'queen-side castling': (san) => /^O-O-O[+#]?$/.test(san),
  'promotion without capture': (san) => /^[a-h][18]=Q/.test(san),
  'promotion with capture': (san) => /^[a-h]x[a-h][18]=Q/.test(san),
  'piece move with a file or rank hint': (san) => /^[NBRQ][a-h1-8]x?[a-h][1-8]/.test(san),
  check: (san) => san.endsWith('+'),
  mate: (san) => san.endsWith('#'),
}

function movetextSan(pgn) {
  const movetext = pgn.slice(pgn.indexOf('\n\n') + 2)
  const tokens = movetext.split(/\s+/).filter((token) => token !== '')
  return tokens.slice(0, -1).filter((token) => !/^\d+\.$/.test(token))
}

function checkGame(pgnPath, seenKinds) {
  const pgn = fs.readFileSync(pgnPath, 'utf8')
  const rules = fs.readFileSync(pgnPath.replace(/\.pgn$/, '.rules'), 'utf8').trim().split('\n')
  const expectedPosition = rules[rules.length - 1].split(' ').slice(0, 2).join(' ')
  const exported = movetextSan(pgn)

  const chess = new Chess()
  chess.loadPgn(pgn, { strict: true })

  const history = chess.history()
  assert.deepEqual(history, exported, `${pgnPath}: SAN read back differs`)
  const [placement, sideToMove] = chess.fen().split(' ')
  assert.equal(`${placement} ${sideToMove}`, expectedPosition, `${pgnPath}: final position`)

  const headers = chess.getHeaders()
  assert.equal(headers.Event, 'Quillon game')
  assert.equal(headers.Site, '?')
  assert.equal(headers.Round, '-')
  assert.match(headers.Date, /^\d{4}\.\d{2}\.\d{2}$/)
  assert.match(headers.Result, /^(1-0|0-1|1\/2-1\/2|\*)$/)
  if (headers.Result === '1-0' || headers.Result === '0-1') {
    assert.ok(chess.isCheckmate(), `${pgnPath}: ${headers.Result} without checkmate`)
  }

  for (const [kind, matches] of Object.entries(kRequiredKinds)) {
    if (history.some(matches)) seenKinds.add(kind)
  }
  return history.length
}

const kSeed = 2026
const kCleanGames = 300
const kRefusedGames = 40
const kMaxPlies = 160
const kDate = '2026.12.06'
const kResults = { w: '0-1', b: '1-0' }

// A small seeded generator (mulberry32): the games are the same every run.
function seededRandom(seed) {
  let state = seed >>> 0
  return () => {
    state = (state + 0x6d2b79f5) >>> 0
    let t = state
    t = Math.imul(t ^ (t >>> 15), t | 1)
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61)
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296
  }
}

// Moves are classified from their SAN: the verbose move list is slow. A
// pawn capturing onto an empty square captures en passant.
const isEnPassant = (chess, san) => {
  const capture = /^[a-h]x([a-h][1-8])/.exec(san)
  return capture !== null && !chess.get(capture[1])
}
const isUnderPromotion = (chess, san) => /=[NBR]/.test(san)
const isForeign = (chess, san) => isEnPassant(chess, san) || isUnderPromotion(chess, san)
const isPawnMove = (san) => /^[a-h]/.test(san)

// Plays random moves. A clean game avoids what Quillon does not play; a game
// meant for refusal takes such a move whenever one is on offer and stops a
// few moves later. Answers the game, or null when no such move came.
function playGame(random, number, wanted) {
  const chess = new Chess()
  chess.setHeader('Event', 'Random game')
  chess.setHeader('Site', 'chess.js')
  chess.setHeader('Date', kDate)
  chess.setHeader('Round', String(number))
  chess.setHeader('White', `White ${number}`)
  chess.setHeader('Black', `Black ${number}`)
  const history = []
  let foreignPly = -1
  while (!chess.isGameOver() && history.length < kMaxPlies) {
    const moves = chess.moves()
    const offered = wanted ? moves.filter((san) => wanted(chess, san)) : []
    let pool = offered.length > 0 ? offered : moves.filter((san) => !isForeign(chess, san))
    // Games meant for refusal push their pawns, to promote sooner.
    const pawnMoves = pool.filter(isPawnMove)
    if (wanted && pawnMoves.length > 0 && random() < 0.5) pool = pawnMoves
    if (pool.length === 0) break
    const san = pool[Math.floor(random() * pool.length)]
    chess.move(san)
    history.push(san)
    if (offered.length > 0 && foreignPly < 0) foreignPly = history.length - 1
    if (random() < 0.1) chess.setComment(`note ${history.length}`)
    if (foreignPly >= 0 && history.length > foreignPly + 4) break
  }
  if (wanted && foreignPly < 0) return null
  const result = chess.isCheckmate() ? kResults[chess.turn()] : chess.isDraw() ? '1/2-1/2' : '*'
  chess.setHeader('Result', result)
  return { pgn: wrapMovetext(chess.pgn(), number % 5 === 0 ? '\r\n' : '\n'), history, foreignPly }
}

// Lines of at most 79 characters, as files are written. chess.js's own
// wrapping can join a move to the next move number after a comment.
function wrapMovetext(pgn, lineEnd) {
  const split = pgn.indexOf('\n\n')
  const lines = []
  let line = ''
  for (const word of pgn.slice(split + 2).split(' ')) {
    if (line !== '' && line.length + 1 + word.length > 79) {
      lines.push(line)
      line = word
    } else {
      line = line === '' ? word : `${line} ${word}`
    }
  }
  lines.push(line)
  return [pgn.slice(0, split), '', ...lines].join(lineEnd) + lineEnd
}

const kPieceNames = { N: 'knight', B: 'bishop', R: 'rook' }

// What Quillon must answer to the first move it does not play.
function expectedRefusal(history, ply) {
  const san = history[ply]
  const promotion = /=([NBR])/.exec(san)
  const reason = promotion
    ? `is a promotion to a ${kPieceNames[promotion[1]]}, which Quillon does not play.`
    : 'is an en-passant capture, which Quillon does not play.'
  const number = Math.floor(ply / 2) + 1
  return `Move ${number} (${ply % 2 === 0 ? '' : '...'}${san}) ${reason}\n`
}

function writeGames(directory, random) {
  const games = []
  const kinds = [
    { count: kCleanGames, wanted: null },
    { count: kRefusedGames, wanted: isEnPassant },
    { count: kRefusedGames, wanted: isUnderPromotion },
  ]
  for (const kind of kinds) {
    let made = 0
    for (let attempt = 0; made < kind.count && attempt < 50 * kind.count; ++attempt) {
      const game = playGame(random, games.length + 1, kind.wanted)
      if (game === null) continue
      game.file = path.join(directory, `chessjs-${games.length + 1}.pgn`)
      fs.writeFileSync(game.file, game.pgn)
      games.push(game)
      ++made
    }
    assert.equal(made, kind.count, 'too few games of a kind came from random play')
  }
  return games
}

function checkReadBack(game) {
  const refused = `${game.file}.refused`
  if (game.foreignPly >= 0) {
    assert.ok(fs.existsSync(refused), `${game.file}: not refused`)
    const answer = fs.readFileSync(refused, 'utf8')
    assert.equal(answer, expectedRefusal(game.history, game.foreignPly), game.file)
    return 0
  }
  if (fs.existsSync(refused)) assert.fail(`${game.file}: ${fs.readFileSync(refused, 'utf8')}`)
  const chess = new Chess()
  chess.loadPgn(fs.readFileSync(`${game.file}.quillon.pgn`, 'utf8'), { strict: true })
  const readBack = chess.history()
  // Quillon's king-only draw may end a game before chess.js does.
  const expected = fs.existsSync(`${game.file}.note`)
    ? game.history.slice(0, readBack.length)
    : game.history
  assert.deepEqual(readBack, expected, `${game.file}: moves read back differ`)
  return 1
}

function checkChessJsGames(normaliser, directory) {
  const games = writeGames(directory, seededRandom(kSeed))
  execFileSync(normaliser, games.map((game) => game.file), { stdio: 'inherit' })
  let same = 0
  for (const game of games) same += checkReadBack(game)
  const endedEarly = games.filter((game) => fs.existsSync(`${game.file}.note`)).length
  console.log(
    `${same} chess.js games read by Quillon and back (${endedEarly} ended early by ` +
      `Quillon's king-only draw), ${games.length - same} refused naming the move`,
  )
}

function main() {
  const generator = process.argv[2]
  const normaliser = process.argv[3]
  const directory = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-pgn-'))
  try {
    execFileSync(generator, [directory], { stdio: 'inherit' })
    const games = fs
      .readdirSync(directory)
      .filter((name) => name.endsWith('.pgn'))
      .map((name) => path.join(directory, name))
    assert.ok(games.length >= kMinimumGames, `only ${games.length} games generated`)

    const seenKinds = new Set()
    let plies = 0
    for (const game of games) plies += checkGame(game, seenKinds)

    const missing = Object.keys(kRequiredKinds).filter((kind) => !seenKinds.has(kind))
    assert.deepEqual(missing, [], 'kinds of SAN that no game contains')
    console.log(`${games.length} games, ${plies} moves read back identically`)
    checkChessJsGames(normaliser, directory)
  } finally {
    fs.rmSync(directory, { recursive: true, force: true })
  }
}

main()
