#!/usr/bin/env python3
"""Every program the tests, the scripts and CI call is installed by scripts/install-deps.sh --tests or
comes with every Debian system. Reads the words in command position of every shell script, of the shell
commands the C++ tests run and of the test commands of tests/CMakeLists.txt; prints each program that
programs.txt (a program and its Debian package a line) does not know, and each program named anywhere
whose package install-deps.sh does not install. Exits 1 on any.
  python3 tests/programs/check_programs.py [SOURCE_TREE]"""
import os, re, sys

os.chdir(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '../..'))
# Debian's essential and required packages, on every system.
BASE = set('apt bash bsdutils coreutils dash debianutils diffutils dpkg findutils grep gzip hostname libc-bin '
           'login mawk mount ncurses-bin passwd perl-base sed sysvinit-utils tar util-linux'.split())
KEYWORDS = set('if then else elif fi while until do done ! { } time'.split())
# Words that run the command after them, with their options that take a value.
WRAPPERS = {'exec': [], 'command': [], 'env': ['-u'], 'timeout': ['-s', '-k'], 'flock': ['-w', '-E'], 'setpriv': [],
            'dbus-run-session': [], 'xargs': [], 'until_true': [], 'quits_by': [], 'plays_and_quits': [], 'answers': []}


class Shell:
    """A small reader of bash: quotes, substitutions, here-documents, case patterns, [[ ]] and (( ))."""

    def __init__(self, text): self.t, self.calls, self.defs = text, [], set()

    def skip(self, i, end):  # to the quote or brace `end` (i just after its opening), reading substitutions
        while i < len(self.t) and self.t[i] != end:
            i = self.dollar(i) if self.t[i] == '$' else self.skip(i + 1, '"') if self.t[i] == '"' != end else i + 1 + (self.t[i] == '\\')
        return i + 1

    def arithmetic(self, i, depth=2):  # i just after "(("
        while i < len(self.t) and depth:
            if self.t[i] == '$': i = self.dollar(i); continue
            depth, i = depth + {'(': 1, ')': -1}.get(self.t[i], 0), i + 1
        return i

    def dollar(self, i):  # the end of the substitution at i, its commands read
        t = self.t
        if t.startswith('$((', i): return self.arithmetic(i + 3)
        if t.startswith('$(', i): return self.code(i + 2, ')')
        if t.startswith('${', i): return self.skip(i + 2, '}')
        if t.startswith("$'", i): return re.compile(r"(\\.|[^'\\])*'").match(t, i + 2).end()
        return i + 1

    def word(self, i):  # (the word as written, its single-quoted parts, its end)
        t, literals, start = self.t, [], i
        while i < len(t) and t[i] not in ' \t\n;&|()<>':
            if t[i] == "'":
                end = t.find("'", i + 1) % (len(t) + 1)
                literals.append((t[i + 1:end], t.count('\n', 0, i) + 1)); i = end + 1
            else: i = self.skip(i + 1, '"') if t[i] == '"' else self.dollar(i) if t[i] == '$' else i + 1 + (t[i] == '\\')
        if t.endswith('=', start, i) and t.startswith('(', i): i = self.code(i + 1, ')', arguments=True)  # an array
        return t[start:i], literals, i

    def code(self, i=0, close=None, arguments=False):
        """Reads commands from i up to an unmatched `close`; returns the index after it."""
        t, command, wrapper, previous, value_next, depth, cases, pattern, test, heredocs = \
            self.t, not arguments, None, '', False, 0, 0, False, False, []
        while i < len(t):
            c = t[i]
            if c in ' \t': i += 1
            elif c == '\\' and t.startswith('\n', i + 1): i += 2
            elif c == '#': i = t.find('\n', i) % (len(t) + 1)
            elif test and c in '()|&<>': i += 1
            elif c in '\n;&|':
                pattern |= t.startswith(';;', i) and cases > 0
                i += 1 + (t[i:i + 2] in (';;', '&&', '||'))
                for delimiter in heredocs if c == '\n' else []:
                    end = re.compile(r'^\s*' + re.escape(delimiter) + r'$', re.M).search(t, i)
                    i = end.end() + 1 if end else len(t)
                heredocs, command, wrapper = heredocs if c != '\n' else [], not arguments, None
            elif t.startswith('((', i): i = self.arithmetic(i + 2)
            elif c == '(': depth, command, i = depth + 1, not arguments, i + 1
            elif c == ')':
                if pattern: pattern, command = False, True
                elif depth: depth, command = depth - 1, False
                elif close == ')': return i + 1
                i += 1
            elif c in '<>':
                if t.startswith('(', i + 1): i = self.code(i + 2, ')'); continue  # <(...)
                operator = re.compile(r'[<>&]+-?').match(t, i).group()
                i = re.compile(r'[ \t]*').match(t, i + len(operator)).end()
                if t[i:i + 2] in ('<(', '>('): i = self.code(i + 2, ')'); continue
                raw, _, i = self.word(i)
                if operator.startswith('<<') and operator != '<<<': heredocs.append(raw.strip('\'"'))
            else:
                raw, literals, i = self.word(i)
                if wrapper in ('eval', 'trap') or previous == '-c':
                    for literal, line in literals: self.calls += [(name, line) for name, _ in Shell(literal).read().calls]
                last, previous = previous, raw
                if test: test = raw != ']]'
                elif pattern:
                    if raw == 'esac': pattern, cases, command = False, cases - 1, False
                elif raw == 'in' and cases and not command: pattern = True
                elif not command: pass
                elif value_next: value_next = False
                elif wrapper in WRAPPERS and (raw.startswith('-') or re.fullmatch(r'[\d.]+[smhd]?', raw) or
                                              (wrapper == 'flock' and '/' in raw) or re.match(r'"[^$]', raw) or
                                              (last == 'answers' and re.match(r'"?\$', raw))):  # answers PID
                    value_next = raw in WRAPPERS[wrapper]
                elif re.match(r'[A-Za-z_]\w*(\[[^]]*\])?\+?=', raw) or raw in KEYWORDS or re.fullmatch(r'"?\$\{\w+\[@\]\}"?', raw):
                    pass  # an assignment, a keyword, or the command prefix in an array ("${NESTED_CLIENT[@]}" xmessage)
                elif raw == '[[': test = True
                elif raw in ('case', 'for', 'select'): cases, command = cases + (raw == 'case'), False
                elif re.compile(r'\s*\(\s*\)').match(t, i): self.defs.add(raw); i = t.index(')', i) + 1  # NAME() {
                else:
                    if re.fullmatch(r'[A-Za-z_][\w.+-]*', raw): self.calls.append((raw, t.count('\n', 0, i) + 1))
                    wrapper, command = raw, raw in WRAPPERS
        return i

    def read(self): self.code(); return self


def only(text, pattern, clean):
    """The commands PATTERN finds in TEXT, each on the line where it starts, the other lines empty."""
    lines = [''] * (text.count('\n') + 1)
    for found in re.finditer(pattern, text): lines[text.count('\n', 0, found.start())] += clean(found.group(1)) + ';'
    return '\n'.join(lines)


def sources():
    """(file, shell code) of every script; of the C++ tests and tests/CMakeLists.txt, the commands they run."""
    for folder, dirs, files in os.walk('.'):
        dirs[:] = [d for d in dirs if not d.startswith(('build', '.git'))]
        for name in sorted(files):
            path = os.path.join(folder, name)[2:]
            text = open(path, errors='replace').read()
            if name.endswith('.sh') or path == '.ci/run': yield path, text
            elif path.startswith('tests/') and name.endswith(('.cpp', '.h')):
                yield path, only(text, r'\b(?:run|output)\((?:std::string\()?((?:\s*"(?:[^"\\]|\\.)*")+)',
                                 lambda c: re.sub(r'"\s*"|^\s*"|"$', '', c).replace('\\"', '"'))
            elif path == 'tests/CMakeLists.txt': yield path, only(text, r'COMMAND (\S+)', str)


table = dict(line.split()[:2] for line in open('tests/programs/programs.txt') if line.strip() and line[0] != '#')
deps = open('scripts/install-deps.sh').read()
installed = set(re.sub(r'#.*', '', ' '.join(re.findall(r'^\w*packages=\(([^)]*)\)', deps, re.M | re.S))).split()) | BASE
faults, defined, calls, texts = [], set(), [], []
for path, code in sources():
    shell = Shell(code).read()
    defined |= shell.defs | {a + b for a, b in re.findall(r'eval "(\w+)\$\(declare -f (\w+)\)"', code)}  # a copy renamed
    calls += [(name, path, line) for name, line in shell.calls]
    texts.append((path, re.sub(r'(^|\s)#.*', '', code)))
for name, path, line in calls:
    if name not in defined and name not in table:
        faults.append(f'{path}:{line}: {name} is called, but programs.txt does not say which Debian package has it')
        table[name] = 'bash'  # once
for program, package in table.items():
    used = next((path for path, text in texts if re.search(r'(?<![\w.-])' + re.escape(program) + r'(?![\w-])', text)), None)
    if used and package not in installed:
        faults.append(f'{used}: {program} needs the Debian package {package}, which scripts/install-deps.sh --tests does not install')
called = set(name for name, _, _ in calls) - defined
print('\n'.join(faults) or f'programs: the {len(called)} called are installed by install-deps.sh --tests or every Debian system')
sys.exit(1 if faults else 0)
