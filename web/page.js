// SPDX-License-Identifier: MIT
// The page's part: it reads the fields, asks the core (core.js) and shows
// what the core answers. Every date and text shown comes from the core; the
// page works nothing out itself.
'use strict';

const $ = (id) => document.getElementById(id);

// One call into the core: the strings go in as UTF-8 copies, bytes as they
// are, and the answer (JSON, or plain text) comes back in memory the core
// gave, freed here.
function callCore(core, name, args, plain = false) {
  const kept = [];
  const put = (bytes) => {
    const at = core._malloc(bytes.length + 1);
    core.HEAPU8.set(bytes, at);
    core.HEAPU8[at + bytes.length] = 0;
    kept.push(at);
    return at;
  };
  const encoder = new TextEncoder();
  const values = args.map((arg) => {
    if (typeof arg === 'number') return arg;
    return put(arg instanceof Uint8Array ? arg : encoder.encode(arg));
  });
  const answer = core['_' + name](...values);
  kept.forEach((at) => core._free(at));
  if (!answer) return null;  // a call that answers nothing
  const text = core.UTF8ToString(answer);
  core._free(answer);
  return plain ? text : JSON.parse(text);
}

function element(tag, className, text) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

// The field is marked wrong with its label's name and the core's message,
// or neither.
function markField(id, message) {
  const field = $(id);
  const label = document.querySelector(`label[for="${id}"]`);
  const shown = $(id + 'Message');
  if (message) {
    field.setAttribute('aria-invalid', 'true');
    shown.textContent = `${label.textContent}：${message}`;
  } else {
    field.removeAttribute('aria-invalid');
    shown.textContent = '';
  }
}

const kWeekdays = ['日', '月', '火', '水', '木', '金', '土'];
// A day's mark as the core writes it, and the class that shows it.
const kMarks = { '-': '', k: 'known', c: 'counted', p: 'passed', e: 'end' };

// When a calendar file is written, in UTC seconds: its events' time stamp.
const now = () => Math.floor(Date.now() / 1000);

// The months of the period: tables made once and kept, each day's cell
// changed only when what it shows changes, since the view is redrawn on
// every key typed.
function monthsView(container) {
  const tables = [];
  const made = () => {
    const table = element('table', 'month');
    const caption = element('caption');
    const head = element('tr');
    kWeekdays.forEach((name) => head.append(element('th', '', name)));
    const thead = element('thead');
    thead.append(head);
    const body = element('tbody');
    const rows = [];
    const cells = [];
    for (let week = 0; week < 6; week++) {
      const row = element('tr');
      for (let day = 0; day < 7; day++) cells.push(row.appendChild(element('td')));
      rows.push(body.appendChild(row));
    }
    table.append(caption, thead, body);
    container.append(table);
    return { table, caption, rows, cells, shown: cells.map(() => '') };
  };
  return (months) => {
    while (tables.length < months.length) tables.push(made());
    tables.forEach((kept, index) => { kept.table.hidden = index >= months.length; });
    months.forEach((month, index) => {
      const kept = tables[index];
      kept.caption.textContent = month.title;
      const last = month.firstWeekday + month.marks.length;
      kept.rows.forEach((row, week) => { row.hidden = week * 7 >= last; });
      kept.cells.forEach((cell, slot) => {
        const day = slot - month.firstWeekday;
        const inMonth = day >= 0 && day < month.marks.length;
        const closed = inMonth ? month.closed[day] || '' : '';
        const mark = inMonth ? kMarks[month.marks[day]] : '';
        const shown = inMonth ? `${day}${mark}${closed}` : '';
        if (kept.shown[slot] === shown) return;
        kept.shown[slot] = shown;
        cell.textContent = inMonth ? String(day + 1) : '';
        cell.className = closed ? `${mark} closed` : mark;
        cell.title = closed;
      });
    });
  };
}

// The elements that show the answer, and the part of the core's answer each shows.
const kAnswerParts = { end: 'end', endDetails: 'details', ruleTitle: 'rule', counting: 'counting',
  moved: 'moved', notes: 'notes', days: 'days', quote: 'quote' };

// What the period field holds is the user's own until a rule fills it in;
// it is given back when the rule is taken away again.
const kRuleFixed = ['count', 'unit', 'direction', 'firstDay', 'calendar'];

function startPage(core) {
  const rules = callCore(core, 'torvelin_rules', []);
  const state = { rule: null, saved: null, file: null, answer: null, list: [] };
  const showMonths = monthsView($('months'));

  const groups = new Map();
  rules.forEach((rule) => {
    if (!groups.has(rule.field)) {
      const group = element('optgroup');
      group.label = rule.field;
      groups.set(rule.field, group);
      $('rule').append(group);
    }
    const option = element('option', '', `${rule.key}　${rule.name}（${rule.article}）`);
    option.value = rule.key;
    groups.get(rule.field).append(option);
  });

  function chooseRule(key) {
    const chosen = key ? callCore(core, 'torvelin_rule_named', [key]) : null;
    if (chosen && !state.rule) {
      state.saved = kRuleFixed.map((id) => $(id).value);
    }
    if (!chosen && state.rule) {
      kRuleFixed.forEach((id, i) => { $(id).value = state.saved[i]; });
    }
    state.rule = chosen;
    if (chosen) {
      $('count').value = chosen.period;
      $('direction').value = String(chosen.direction);
      $('firstDay').value = String(chosen.firstDay);
      $('calendar').value = '0';
    }
    kRuleFixed.forEach((id) => { $(id).disabled = Boolean(chosen); });
    // The event's short name labels the field; the act's own words are its title.
    $('startLabel').textContent = chosen ? chosen.eventGroup : '起算日';
    $('startLabel').title = chosen ? chosen.event : '';
    $('rule').value = chosen ? chosen.key : '';
  }

  // The sheet's copy of the question: each field's caption and what it holds.
  function fillSheet() {
    const rows = [['事件', $('case').value], ['手続', $('rule').selectedOptions[0].textContent],
      [$('startLabel').textContent, $('start').value], ['時刻', $('time').value || '指定なし'],
      ['期間', state.answer && state.answer.period ? state.answer.period : $('count').value],
      ['向き', $('direction').selectedOptions[0].textContent],
      ['初日', $('firstDay').selectedOptions[0].textContent],
      ['休日の暦', $('calendar').selectedOptions[0].textContent]];
    if (state.file) rows.push(['休日ファイル', state.file.name]);
    $('sheetQuestion').replaceChildren(...rows.flatMap(([caption, value]) =>
      [element('dt', '', caption), element('dd', '', value)]));
  }

  function show(answer) {
    state.answer = answer.status === 'ok' ? answer : null;
    const ok = state.answer || {};
    Object.entries(kAnswerParts).forEach(([id, part]) => { $(id).textContent = ok[part] || ''; });
    const wrong = answer.status === 'input' ? answer.field : '';
    markField('start', wrong === 'start' ? answer.message : '');
    markField('time', wrong === 'time' ? answer.message : '');
    markField('count', wrong === 'period' ? answer.message : '');
    markField('closedFile', answer.status === 'file' ? answer.message : '');
    $('answerMessage').textContent = answer.status === 'error' ? answer.message : '';
    showMonths(ok.months || []);
    $('legend').hidden = !state.answer;
    ['copyEnd', 'copyAnswer', 'csv', 'ics', 'print', 'addToList'].forEach((id) => {
      $(id).disabled = !state.answer;
    });
    fillSheet();
  }

  function recalculate() {
    const search = $('ruleSearch').value.trim();
    if (search) {
      const named = callCore(core, 'torvelin_rule_named', [search]);
      markField('ruleSearch', named.status === 'ok' ? '' : named.message);
      if (named.status !== 'ok') {
        show({ status: 'rule' });
        return;
      }
      if (!state.rule || state.rule.key !== named.key) chooseRule(named.key);
    } else {
      markField('ruleSearch', '');
    }
    if (state.file && !state.file.bytes) {
      show({ status: 'reading' });  // no answer until the file is in
      return;
    }
    state.question = questionArgs();
    show(callCore(core, 'torvelin_deadline', state.question));
  }

  // The question as the core's calls take it, field by field.
  function questionArgs() {
    const file = state.file || { bytes: new Uint8Array(0), name: '' };
    return [$('start').value, $('time').value, $('count').value, Number($('unit').value),
      Number($('direction').value), Number($('firstDay').value), Number($('calendar').value),
      state.rule ? state.rule.key : '', file.bytes, file.bytes.length, file.name,
      $('case').value];
  }

  function calculate() {
    const answer = callCore(core, 'torvelin_calculate', [$('calcStart').value,
      $('calcCount').value]);
    const ok = answer.status === 'ok';
    $('calcEnd').textContent = ok ? answer.end : '';
    $('calcDetails').textContent = ok ? `${answer.weekday}　${answer.eraDate}` : '';
    const typed = (id) => $(id).value.trim() !== '';
    markField('calcStart', answer.field === 'start' && typed('calcStart') ? answer.message : '');
    markField('calcCount', answer.field === 'count' && typed('calcCount') ? answer.message : '');
    $('calcMessage').textContent = answer.status === 'error' ? answer.message : '';
  }

  function readFile() {
    const picked = $('closedFile').files[0];
    state.file = picked ? { name: picked.name, bytes: null } : null;
    recalculate();
    if (!picked) return;
    const reading = state.file;
    picked.arrayBuffer().then((buffer) => {
      if (state.file !== reading) return;  // another file was picked meanwhile
      reading.bytes = new Uint8Array(buffer);
      recalculate();
    }, () => {
      if (state.file !== reading) return;
      state.file = null;
      show({ status: 'file', message: `${picked.name}: 読み込めません` });
    });
  }

  function said(text) {
    $('done').textContent = text;
  }

  function copy(text) {
    navigator.clipboard.writeText(text).then(() => said('コピーしました'),
      () => said('コピーできませんでした'));
  }

  function download(text, name, type) {
    const link = element('a');
    link.href = URL.createObjectURL(new Blob([text], { type }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
    said(`${name} を保存しました`);
  }

  function showList() {
    $('list').tBodies[0].replaceChildren(...state.list.map((entry, index) => {
      const row = element('tr');
      [entry.case, entry.what, entry.start, entry.end, entry.article].forEach((text) =>
        row.append(element('td', '', text)));
      const remove = element('button', '', '削除');
      remove.type = 'button';
      remove.setAttribute('aria-label', `${entry.end} の行を削除`);
      remove.addEventListener('click', () => {
        state.list.splice(index, 1);
        showList();
      });
      const removeCell = element('td');
      removeCell.append(remove);
      row.append(removeCell);
      return row;
    }));
    $('listCsv').disabled = state.list.length === 0;
    $('listIcs').disabled = state.list.length === 0;
  }

  function addToList() {
    const answer = state.answer;
    state.list.push({
      case: $('case').value, what: answer.rule || answer.period, start: answer.start,
      end: answer.end, article: answer.article || answer.counting,
      question: state.question,
    });
    showList();
  }

  function showTab(tab) {
    ['tabDeadline', 'tabCalculate'].forEach((id) => {
      const selected = id === tab;
      $(id).setAttribute('aria-selected', String(selected));
      $(id).tabIndex = selected ? 0 : -1;
      $($(id).getAttribute('aria-controls')).hidden = !selected;
    });
  }

  ['case', 'start', 'time', 'count', 'unit', 'direction', 'firstDay', 'calendar', 'ruleSearch']
    .forEach((id) => $(id).addEventListener('input', recalculate));
  $('rule').addEventListener('change', () => {
    $('ruleSearch').value = '';
    chooseRule($('rule').value);
    recalculate();
  });
  $('closedFile').addEventListener('change', readFile);
  $('clearFile').addEventListener('click', () => {
    $('closedFile').value = '';
    readFile();
  });
  ['calcStart', 'calcCount'].forEach((id) => $(id).addEventListener('input', calculate));
  $('copyEnd').addEventListener('click', () => copy(state.answer.end));
  $('copyAnswer').addEventListener('click', () => copy(state.answer.line));
  // The files of a question, written by the core when they are asked for.
  const filesOf = (question) => callCore(core, 'torvelin_deadline_files', [...question, now()]);
  $('csv').addEventListener('click', () => download(filesOf(state.question).csv, '期限.csv',
    'text/csv'));
  $('print').addEventListener('click', () => window.print());
  $('addToList').addEventListener('click', addToList);
  $('listCsv').addEventListener('click', () => {
    const files = state.list.map((entry) => filesOf(entry.question));
    download(files[0].listHeader + files.map((file) => file.listRecord).join(''),
      '期限一覧.csv', 'text/csv');
  });
  $('ics').addEventListener('click', () => download(filesOf(state.question).ics, '期限.ics',
    'text/calendar'));
  $('listIcs').addEventListener('click', () => {
    const writer = core._torvelin_calendar_open(now());
    state.list.forEach((entry) => callCore(core, 'torvelin_calendar_add', [writer,
      ...entry.question], true));
    download(callCore(core, 'torvelin_calendar_close', [writer], true), '期限一覧.ics',
      'text/calendar');
  });
  ['tabDeadline', 'tabCalculate'].forEach((id) => $(id).addEventListener('click', () =>
    showTab(id)));
  $('tabDeadline').parentElement.addEventListener('keydown', (event) => {
    if (event.key !== 'ArrowLeft' && event.key !== 'ArrowRight') return;
    const next = document.activeElement.id === 'tabDeadline' ? 'tabCalculate' : 'tabDeadline';
    showTab(next);
    $(next).focus();
  });

  showList();
  chooseRule('');
  recalculate();
  calculate();
  $('loading').remove();
  document.documentElement.dataset.ready = 'true';
  performance.mark('torvelin-ready');  // for benchmarks/web/measure.py
}

// Compiled at once (see web/CMakeLists.txt): ready when the scripts have run.
TorvelinCore().ready.then(startPage);
