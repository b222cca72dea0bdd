#!/usr/bin/env python3
"""The yardstick for `tavlenctl import`: Python's sqlite3 sending the importer's statements.

  import_reference.py generate FILE [COUNT]
      writes an export file with COUNT custom shortcuts (5,000 by default), spread over "global"
      and a few applications.

  import_reference.py import SCHEMA_DB FILE DB
      creates DB with the tables, indexes and migration records of SCHEMA_DB (a store that Tavlen
      made), then imports FILE the way the importer does: per application a count of its "Apps"
      row and, when it is missing, the count and insert of saveApp; per shortcut the count by
      application and title, then the insert with a fresh uuid or the update. All of the import
      runs in one transaction.
"""

import json
import sqlite3
import sys
import uuid

APPLICATIONS = ["global", "org.gnome.TextEditor", "org.kde.kate", "org.geany.Geany", "org.inkscape.Inkscape"]
MODIFIERS = ["shift+command", "command", "control+option", "", "shift+control+command+option+fn"]


def generate(path, count):
    per_app = {app: [] for app in APPLICATIONS}
    for i in range(count):
        app = APPLICATIONS[i % len(APPLICATIONS)]
        key_code = -1 if i % 97 == 0 else i % 128
        per_app[app].append([f"Shortcut {i}", MODIFIERS[i % len(MODIFIERS)], key_code])
    top = {app: {f"{app} Shortcuts": rows} for app, rows in per_app.items()}
    with open(path, "w", encoding="utf-8") as out:
        json.dump(top, out, indent=4)


def copy_schema(schema_path, db):
    source = sqlite3.connect(schema_path)
    objects = source.execute(
        "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite_%' "
        "ORDER BY type = 'index', rowid"
    ).fetchall()
    versions = source.execute('SELECT "version" FROM "schema_migrations"').fetchall()
    source.close()
    db.execute("BEGIN")
    for (sql,) in objects:
        db.execute(sql)
    db.executemany('INSERT INTO "schema_migrations" ("version") VALUES (?)', versions)
    db.execute("COMMIT")


def count(db, sql, values):
    return db.execute(sql, values).fetchone()[0]


def import_file(db, path):
    with open(path, encoding="utf-8") as source:
        top = json.load(source)
    db.execute("BEGIN IMMEDIATE")
    for identifier, groups in top.items():
        if count(db, 'SELECT count(*) FROM "Apps" WHERE ("identifier" = ?)', (identifier,)) != 1:
            if count(db, 'SELECT count(*) FROM "Apps" WHERE ("identifier" = ?)', (identifier,)) == 0:
                db.execute('INSERT INTO "Apps" ("identifier", "title") VALUES (?, ?)', (identifier, identifier))
            else:
                db.execute('UPDATE "Apps" SET "title" = ? WHERE ("identifier" = ?)', (identifier, identifier))
        for entries in groups.values():
            for title, words, key_code in entries:
                raw_modifier = -1 if key_code == -1 else len(words)
                value = "Record Shortcut" if key_code == -1 else words
                existing = count(
                    db,
                    'SELECT count(*) FROM "CustomHotkeys" WHERE ("app_id" = ?) AND ("title" = ?)',
                    (identifier, title),
                )
                if existing == 0:
                    db.execute(
                        'INSERT INTO "CustomHotkeys" ("app_id", "uuid", "title", "value", "raw_value", '
                        '"raw_modifier", "is_enabled", "is_bookmarked") VALUES (?, ?, ?, ?, ?, ?, ?, ?)',
                        (identifier, str(uuid.uuid4()).upper(), title, value, key_code, raw_modifier, 1, 0),
                    )
                else:
                    db.execute(
                        'UPDATE "CustomHotkeys" SET "value" = ?, "raw_value" = ?, "raw_modifier" = ?, '
                        '"is_enabled" = ?, "is_bookmarked" = ? WHERE ("app_id" = ?) AND ("title" = ?)',
                        (value, key_code, raw_modifier, 1, 0, identifier, title),
                    )
    db.execute("COMMIT")


def main(argv):
    if len(argv) >= 3 and argv[1] == "generate":
        generate(argv[2], int(argv[3]) if len(argv) > 3 else 5000)
        return 0
    if len(argv) == 5 and argv[1] == "import":
        # Transactions are opened and closed explicitly, as the importer does.
        db = sqlite3.connect(argv[4], isolation_level=None)
        copy_schema(argv[2], db)
        import_file(db, argv[3])
        db.close()
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
